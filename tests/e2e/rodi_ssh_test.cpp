// A board's door: OpenSSH's own server, started here on 127.0.0.1 with a
// throw-away host key and configuration, logs callers in with a throw-away key
// and runs the installed magazine for each of them, as nobody, with no sound
// device. Callers are ssh clients in pseudo-terminals of their own.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/issue_tables.h"
#include "harness/installed.h"
#include "rodi_checks.h"

namespace rodi::e2e {
namespace {

namespace fs = std::filesystem;
constexpr int kCallers = 8;
// Start-up and drawing with eight logins at once on a busy machine.
constexpr int kCallerMs = 30000;
const std::string kSshd = "/usr/sbin/sshd", kSsh = "/usr/bin/ssh", kKeygen = "/usr/bin/ssh-keygen";

sockaddr_in Loopback(int port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(static_cast<uint16_t>(port));
  return a;
}

int FreePort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a = Loopback(0);
  socklen_t len = sizeof a;
  if (bind(fd, reinterpret_cast<sockaddr*>(&a), len) != 0 || getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len))
    a.sin_port = 0;
  close(fd);
  return ntohs(a.sin_port);
}

bool Listens(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  const sockaddr_in a = Loopback(port);
  const bool ok = connect(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
  close(fd);
  return ok;
}

// The server's sessions: its children (it reaps them, so none stays a zombie).
int ChildrenOf(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children");
  int count = 0;
  for (pid_t child; in >> child;) ++count;
  return count;
}

// The server, its keys and its configuration, all in a directory of its own; the system's server, its
// configuration and port 22 are never touched.
class Door {
 public:
  explicit Door(const std::string& magazine) {
    for (const char* key : {"host", "caller"}) {
      const ShellOutput made = Shell("'" + kKeygen + "' -q -t ed25519 -N '' -f '" + work_ + "/" + key + "'");
      if (!made.ok) throw std::runtime_error("ssh-keygen: " + made.text);
    }
    fs::copy_file(work_ + "/caller.pub", work_ + "/authorized_keys");
    std::ofstream(work_ + "/no-sound.conf");  // an ALSA configuration without a single device
    std::ofstream(work_ + "/sshd_config")
        << "Port " << port_ << "\nListenAddress 127.0.0.1\nHostKey " << work_ << "/host\nPidFile " << work_
        << "/sshd.pid\nAuthorizedKeysFile " << work_ << "/authorized_keys\n"
        << "AuthenticationMethods publickey\nPasswordAuthentication no\nKbdInteractiveAuthentication no\n"
           "UsePAM no\nPermitRootLogin prohibit-password\nAllowUsers root\nStrictModes no\n"
           "PermitUserRC no\nPermitUserEnvironment no\nAcceptEnv LANG LC_*\nPrintMotd no\nPrintLastLog no\n"
           "UseDNS no\nX11Forwarding no\nAllowTcpForwarding no\nAllowAgentForwarding no\nMaxStartups 64\n"
           "LogLevel ERROR\n"
        // The magazine runs as nobody: it cannot write the install, as a board's account cannot.
        << "ForceCommand exec env -u XDG_RUNTIME_DIR TMPDIR=" << tmp_ << " ALSA_CONFIG_PATH=" << work_
        << "/no-sound.conf setpriv --reuid=65534 --regid=65534 --clear-groups " << magazine << "\n";
    RunOptions o;
    o.program = kSshd;
    o.args = {"-D", "-e", "-f", work_ + "/sshd_config"};
    server_ = std::make_unique<PtyRun>(o);
    for (int waited = 0; !Listens(port_); waited += 20)
      if (waited > kShowMs || server_->WaitExit(20)) throw std::runtime_error("sshd: " + server_->Screen());
  }

  // A caller's ssh client in an 80x25 pty of its own, its locale sent along.
  RunOptions Caller() const {
    RunOptions o;
    o.program = kSsh;
    o.args = {"-tt", "-F", "/dev/null", "-i", work_ + "/caller", "-p", std::to_string(port_),
              "-o", "StrictHostKeyChecking=no", "-o", "UserKnownHostsFile=/dev/null", "-o", "BatchMode=yes",
              "-o", "IdentitiesOnly=yes", "-o", "LogLevel=ERROR", "-o", "SendEnv=LANG LC_*",
              "root@127.0.0.1"};
    return o;
  }
  const std::string& Tmp() const { return tmp_; }
  pid_t Pid() const { return server_->Pid(); }

 private:
  // The server's privilege-separation directory, as its package's service makes it.
  const RemovedAtEnd run_{mkdir("/run/sshd", 0755) == 0 ? "/run/sshd" : ""};
  const RemovedAtEnd workDir_{ScratchDir("rodi-e2e-sshd", 0755, 0)}, tmpDir_{ScratchDir("rodi-e2e-door-tmp", 01777, 0)};
  const std::string &work_ = workDir_.path, &tmp_ = tmpDir_.path;
  const int port_ = FreePort();
  std::unique_ptr<PtyRun> server_;  // stopped first, before its directories go
};

using Callers = std::vector<std::unique_ptr<PtyRun>>;

// Every caller logs in, sees the main menu, and opens an article of their own choosing (caller i the i-th of
// the section, round the list); the article's title heads it on row 2 (the list shows it lower down).
void OpenArticles(Callers& callers) {
  const std::string down(keys::kDown), enter(keys::kEnter);
  for (auto& c : callers) {
    ASSERT_TRUE(c->WaitForText("a r t i c l e s", kCallerMs)) << c->Screen();
    c->Pump(300);
    c->Type(down + enter);
  }
  for (size_t i = 0; i < callers.size(); ++i) {
    ASSERT_TRUE(callers[i]->WaitForText(kBack, kCallerMs)) << callers[i]->Screen();
    callers[i]->Pump(300);
    std::string to;
    for (size_t k = 0; k < i % kArticles.size(); ++k) to += down;
    callers[i]->Type(to + enter);
  }
  for (size_t i = 0; i < callers.size(); ++i) {
    const std::string title = kArticles[i % kArticles.size()].title;
    int waited = 0;
    for (; callers[i]->Row(2).find(title) == std::string::npos && waited < kCallerMs; waited += 20)
      callers[i]->Pump(20);
    ASSERT_LT(waited, kCallerMs) << "caller " << i << " does not see " << title << ":\n" << callers[i]->Screen();
    callers[i]->Pump(300);
  }
}

TEST(SshDoor, ManyCallersAtOnceEachReadAndLeaveOrHangUpLeavingNothing) {
  for (const std::string& tool : {kSshd, kSsh, kKeygen})
    if (access(tool.c_str(), X_OK) != 0) GTEST_SKIP() << tool << " is missing: install openssh-server and openssh-client";
  if (geteuid() != 0) GTEST_SKIP() << "needs root: the server logs callers in and runs the magazine as nobody";
  InstalledCopy copy;
  const std::string before = copy.Listing();
  Door door(copy.Magazine());

  // Half leave by the menus; of the others half hang up their terminal, half lose their client at once.
  Callers callers;
  for (int i = 0; i < kCallers; ++i) callers.push_back(std::make_unique<PtyRun>(door.Caller()));
  ASSERT_NO_FATAL_FAILURE(OpenArticles(callers));
  EXPECT_EQ(ProcessesOf(copy.Magazine()).size(), size_t{kCallers});
  EXPECT_EQ(Entries(door.Tmp()).size(), size_t{kCallers}) << "one private directory a caller";
  for (int i = 0; i < kCallers; i += 2) {
    EXPECT_NE(callers[i]->RawOutput().find("Init failed"), std::string::npos) << "no sound device, and it says so";
    callers[i]->Type(keys::kEsc);
    ASSERT_TRUE(callers[i]->WaitForText(kBack, kCallerMs)) << callers[i]->Screen();
    callers[i]->Pump(300);
    callers[i]->Type("x");
    EXPECT_EQ(callers[i]->WaitExit(kCallerMs), 0) << callers[i]->Screen();
    ExpectHandedBack(*callers[i]);
  }
  for (int i = 1; i < kCallers; i += 2) {
    if (i % 4 == 1) callers[i]->HangUp();
    else callers[i]->Signal(SIGKILL);
    int waited = 0;
    for (const size_t left = (kCallers - i - 1) / 2; ProcessesOf(copy.Magazine()).size() > left && waited < kLeaveMs;)
      waited += 10, usleep(10000);
    EXPECT_LT(waited, kLeaveMs) << "caller " << i << "'s magazine still runs after the hang-up";
  }

  for (int waited = 0; ChildrenOf(door.Pid()) > 0 && waited < kShowMs; waited += 20) usleep(20000);
  EXPECT_EQ(ChildrenOf(door.Pid()), 0) << "sessions left on the server";
  EXPECT_EQ(Entries(door.Tmp()), std::vector<std::string>{});
  for (auto& c : callers) EXPECT_EQ(c->FilesInDir(), std::vector<std::string>{});
  EXPECT_EQ(copy.Listing(), before) << "the install changed";
}

}  // namespace
}  // namespace rodi::e2e
