// A board's door: OpenSSH's own server, started here on 127.0.0.1 with a throw-away host key and configuration,
// logs callers in with a throw-away key and runs the installed magazine for each of them, as nobody, with no
// sound device. Callers are ssh clients in pseudo-terminals of their own.
#include <arpa/inet.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <memory>

#include "app/issue_tables.h"
#include "harness/installed.h"
#include "rodi_checks.h"

namespace rodi::e2e {
namespace {

constexpr int kCallers = 8, kCallerMs = 30000;  // start-up and drawing with eight logins on a busy machine
const std::string kSshd = "/usr/sbin/sshd", kSsh = "/usr/bin/ssh", kKeygen = "/usr/bin/ssh-keygen";

int FreePort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof a;
  if (bind(fd, reinterpret_cast<sockaddr*>(&a), len) != 0 || getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len))
    a.sin_port = 0;
  close(fd);
  return ntohs(a.sin_port);
}

// The server, keys and configuration in a directory of their own: the system's own and port 22 stay untouched.
struct Door {
  explicit Door(const std::string& magazine) {
    const std::string keygen = "'" + kKeygen + "' -q -t ed25519 -N '' -f '" + work;
    if (const ShellOutput made = Shell(keygen + "/host' && " + keygen + "/caller' && cp '" + work + "/caller.pub' '" +
                                       work + "/authorized_keys'"); !made.ok)
      throw std::runtime_error("ssh-keygen: " + made.text);
    std::ofstream(work + "/sshd_config")
        << "Port " << port << "\nListenAddress 127.0.0.1\nHostKey " << work << "/host\nPidFile " << work
        << "/sshd.pid\nAuthorizedKeysFile " << work << "/authorized_keys\n"
        << "AuthenticationMethods publickey\nPasswordAuthentication no\nKbdInteractiveAuthentication no\n"
           "UsePAM no\nPermitRootLogin prohibit-password\nAllowUsers root\nStrictModes no\n"
           "PermitUserRC no\nPermitUserEnvironment no\nAcceptEnv LANG LC_*\nPrintMotd no\nPrintLastLog no\n"
           "UseDNS no\nAllowTcpForwarding no\nMaxStartups 64\nLogLevel ERROR\n"
        // As nobody, with not a single sound device: it cannot write the install, as a board's account cannot.
        << "ForceCommand exec env -u XDG_RUNTIME_DIR TMPDIR=" << tmp << " ALSA_CONFIG_PATH=/dev/null"
        << " setpriv --reuid=65534 --regid=65534 --clear-groups " << magazine << "\n";
    RunOptions o;
    o.program = kSshd;
    o.args = {"-D", "-e", "-f", work + "/sshd_config"};
    server = std::make_unique<PtyRun>(o);
    const std::string listens = "bash -c ': </dev/tcp/127.0.0.1/" + std::to_string(port) + "'";
    for (int waited = 0; !Shell(listens).ok; waited += 20)
      if (waited > kShowMs || server->WaitExit(20)) throw std::runtime_error("sshd: " + server->Screen());
  }

  // A caller's ssh client in an 80x25 pty of its own, its locale sent along.
  RunOptions Caller() const {
    RunOptions o;
    o.program = kSsh;
    o.args = {"-tt", "-F", "/dev/null", "-i", work + "/caller", "-p", std::to_string(port),
              "-o", "StrictHostKeyChecking=no", "-o", "UserKnownHostsFile=/dev/null", "-o", "BatchMode=yes",
              "-o", "IdentitiesOnly=yes", "-o", "LogLevel=ERROR", "-o", "SendEnv=LANG LC_*",
              "root@127.0.0.1"};
    return o;
  }

  // The server's privilege-separation directory, as its package's service makes it.
  const RemovedAtEnd runDir{mkdir("/run/sshd", 0755) == 0 ? "/run/sshd" : ""};
  const RemovedAtEnd workDir{ScratchDir("rodi-e2e-sshd", 0755, 0)}, tmpDir{ScratchDir("rodi-e2e-door-tmp", 01777, 0)};
  const std::string &work = workDir.path, &tmp = tmpDir.path;
  const int port = FreePort();
  std::unique_ptr<PtyRun> server;  // stopped first, before its directories go
};

// Every caller logs in and opens an article of their own choosing (caller i the i-th of the section, round the
// list); its title heads it on row 2 (the list shows it lower down).
void OpenArticles(std::vector<std::unique_ptr<Reader>>& callers) {
  const std::string down(keys::kDown), enter(keys::kEnter);
  for (size_t i = 0; i < callers.size(); ++i) {
    Reader& c = *callers[i];
    ASSERT_TRUE(c.Sees("a r t i c l e s"));
    c.Keys(down + enter);
    ASSERT_TRUE(c.Sees(kBack));
    for (size_t k = 0; k < i % kArticles.size(); ++k) c.Keys(down);
    c.Keys(enter);
    const std::string title = kArticles[i % kArticles.size()].title;
    for (int waited = 0; c.run.Row(2).find(title) == std::string::npos; waited += 20)
      if (waited > kCallerMs) FAIL() << "caller " << i << " does not see " << title << ":\n" << c.run.Screen();
      else c.run.Pump(20);
  }
}

TEST(SshDoor, ManyCallersAtOnceEachReadAndLeaveOrHangUpLeavingNothing) {
  for (const std::string& tool : {kSshd, kSsh, kKeygen})
    if (access(tool.c_str(), X_OK) != 0) GTEST_SKIP() << tool << " is missing: install openssh-server and -client";
  if (geteuid() != 0) GTEST_SKIP() << "needs root: the server logs callers in and runs the magazine as nobody";
  InstalledCopy copy;
  const std::string before = copy.Listing();
  Door door(copy.Magazine());

  // Half leave by the menus; of the others half hang up their terminal, half lose their client at once.
  std::vector<std::unique_ptr<Reader>> callers;
  for (int i = 0; i < kCallers; ++i) callers.push_back(std::make_unique<Reader>(door.Caller(), kCallerMs));
  ASSERT_NO_FATAL_FAILURE(OpenArticles(callers));
  EXPECT_EQ(ProcessesOf(copy.Magazine()).size(), size_t{kCallers});
  EXPECT_EQ(Entries(door.tmp).size(), size_t{kCallers}) << "one private directory a caller";
  for (int i = 0; i < kCallers; ++i) {
    PtyRun& c = callers[i]->run;
    if (i % 4 == 1) c.HangUp();
    if (i % 4 == 3) c.Signal(SIGKILL);
    if (i % 2 == 0) {
      EXPECT_NE(c.RawOutput().find("Init failed"), std::string::npos) << "no sound device, and it says so";
      c.Type(keys::kEsc);
      ASSERT_TRUE(callers[i]->Sees(kBack));
      // The library is unloaded by now: P, the track box or a choice there calling into it would end the magazine.
      c.Type("pt");
      ASSERT_TRUE(callers[i]->Sees("[ c l o s e ]"));
      c.Type("\rx");
      EXPECT_EQ(c.WaitExit(kCallerMs), 0) << c.Screen();
      EXPECT_EQ(c.Row(1), "hmm... something went wrong. but who cares. c ya") << "no farewell on the cleared screen";
      ExpectHandedBack(c);
    }
    int waited = 0;
    for (; ProcessesOf(copy.Magazine()).size() > size_t(kCallers - i - 1) && waited < kLeaveMs; waited += 10)
      usleep(10000);
    EXPECT_LT(waited, kLeaveMs) << "caller " << i << "'s magazine still runs after the caller left";
  }

  EXPECT_EQ(Entries(door.tmp), std::vector<std::string>{});
  EXPECT_EQ(copy.Listing(), before) << "the install changed";
}

}  // namespace
}  // namespace rodi::e2e
