#include "run.h"

#include <sys/stat.h>

#include <cctype>
#include <chrono>

#include "pty_process.h"
#include "run_dir.h"
#include "term_settings.h"

namespace rodi::e2e {

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

Clock::time_point After(int ms) { return Clock::now() + std::chrono::milliseconds(ms); }

bool IsUtf8Locale(std::string locale) {
  for (char& c : locale) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return locale.find("utf-8") != std::string::npos || locale.find("utf8") != std::string::npos;
}

// Parses "ESC [ 8 ; rows ; cols t" at the start of s. Returns its length, 0 if
// s is not such a request, or npos if s may be its unfinished beginning.
size_t ResizeRequest(std::string_view s, int& rows, int& cols) {
  static constexpr std::string_view kLead = "\x1b[8;";
  size_t n = std::min(s.size(), kLead.size());
  if (s.substr(0, n) != kLead.substr(0, n)) return 0;
  if (s.size() < kLead.size()) return std::string_view::npos;
  int values[2] = {0, 0};
  size_t i = kLead.size();
  for (int k = 0; k < 2; ++k) {
    size_t start = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9' && i - start < 5)
      values[k] = values[k] * 10 + (s[i++] - '0');
    if (i == s.size()) return std::string_view::npos;
    if (i == start || s[i] != (k == 0 ? ';' : 't')) return 0;
    ++i;
  }
  rows = values[0];
  cols = values[1];
  return i;
}

}  // namespace

std::string MagazinePath() { return std::string(RODI_BINARY_DIR) + "/rodi"; }

bool MagazineBuilt() {
  struct stat st;
  return stat(MagazinePath().c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

PtyRun::PtyRun(RunOptions options) : opts_(std::move(options)) {
  bool builtProgram = opts_.program.find('/') == std::string::npos;
  // An unprivileged child must be able to reach its directory; the build tree
  // may sit below a directory only root can enter, /tmp never does.
  std::string base = opts_.unprivileged ? "/tmp/rodi-e2e-runs"
                                        : std::string(RODI_BINARY_DIR) + "/e2e-runs";
  dir_ = std::make_unique<RunDir>(base,
                                  builtProgram ? std::string(RODI_BINARY_DIR) + "/" + opts_.program
                                               : std::string());
  if (opts_.prepare) opts_.prepare(dir_->Path());

  vt_ = std::make_unique<VtScreen>(opts_.cols, opts_.rows, opts_.utf8Terminal);
  vt_->Feed(opts_.initialScreen);
  // A terminal answers queries (cursor position and the like) on its input.
  vt_->OnReply([this](std::string_view bytes) {
    if (proc_) proc_->Write(bytes);
  });

  SpawnSpec launch;
  launch.path = builtProgram ? dir_->ProgramPath() : opts_.program;
  launch.argv.push_back(launch.path);
  launch.argv.insert(launch.argv.end(), opts_.args.begin(), opts_.args.end());
  std::vector<std::pair<std::string, std::string>> env = {
      {"PATH", "/usr/local/bin:/usr/bin:/bin"},
      {"HOME", dir_->Path()},
      {"TERM", "xterm"},
      {"LANG", opts_.locale},
      {"LC_ALL", opts_.locale}};
  for (const auto& [name, value] : opts_.env) {
    bool replaced = false;
    for (auto& e : env)
      if (e.first == name) e.second = value, replaced = true;
    if (!replaced) env.emplace_back(name, value);
  }
  for (const auto& [name, value] : env) launch.envp.push_back(name + "=" + value);
  launch.workDir = dir_->Path();
  launch.cols = opts_.cols;
  launch.rows = opts_.rows;
  launch.settings = KnownCookedSettings(IsUtf8Locale(opts_.locale));
  launch.stdinDevNull = opts_.stdinDevNull;
  launch.unprivileged = opts_.unprivileged;
  proc_ = std::make_unique<PtyProcess>(launch);
}

PtyRun::~PtyRun() {
  proc_.reset();
  vt_.reset();
  dir_.reset();
}

void PtyRun::Consume(std::string_view chunk) {
  raw_.append(chunk);
  if (!opts_.answerResize) {
    vt_->Feed(chunk);
    return;
  }
  pending_.append(chunk);
  ApplyResizeRequests();
}

// Feeds held output to the emulator, resizing both ends at each complete
// request, so that output before a request lands at the old size and output
// after it at the new one.
void PtyRun::ApplyResizeRequests() {
  size_t fed = 0, i = 0;
  while ((i = pending_.find('\x1b', i)) != std::string::npos) {
    int rows = 0, cols = 0;
    size_t n = ResizeRequest(std::string_view(pending_).substr(i), rows, cols);
    if (n == std::string_view::npos) break;  // keep the unfinished request for later
    if (n == 0) {
      ++i;
      continue;
    }
    vt_->Feed(std::string_view(pending_).substr(fed, i + n - fed));
    fed = i = i + n;
    if (rows > 0 && cols > 0) {
      vt_->Resize(cols, rows);
      proc_->Resize(cols, rows);
    }
  }
  size_t keep = (i == std::string::npos) ? pending_.size() : i;
  vt_->Feed(std::string_view(pending_).substr(fed, keep - fed));
  pending_.erase(0, keep);
}

void PtyRun::Pump(int ms) {
  auto deadline = After(ms);
  do {
    std::string chunk = proc_->Read(MsLeft(deadline));
    if (!chunk.empty()) Consume(chunk);
  } while (MsLeft(deadline) > 0);
}

void PtyRun::Type(std::string_view bytes) {
  for (const std::string& key : keys::SplitKeys(bytes)) {
    proc_->Write(key);
    Pump(key == keys::kEsc ? 50 : 15);
  }
}

namespace {
constexpr int kSliceMs = 10;  // how often a wait looks at the child's state
}

bool PtyRun::WaitForText(std::string_view utf8, int timeoutMs) {
  auto deadline = After(timeoutMs);
  for (;;) {
    if (vt_->Screen().find(utf8) != std::string::npos) return true;
    bool ended = proc_->PollExit().has_value();
    if (ended || MsLeft(deadline) == 0) {
      // Whatever the program wrote before it ended is still in the pty.
      for (std::string c; !(c = proc_->Read(0)).empty();) Consume(c);
      return vt_->Screen().find(utf8) != std::string::npos;
    }
    std::string chunk = proc_->Read(std::min(kSliceMs, MsLeft(deadline)));
    if (!chunk.empty()) Consume(chunk);
  }
}

bool PtyRun::WaitForOutput(std::string_view bytes, int timeoutMs) {
  auto deadline = After(timeoutMs);
  for (;;) {
    if (raw_.find(bytes) != std::string::npos) return true;
    bool ended = proc_->PollExit().has_value();
    if (ended || MsLeft(deadline) == 0) {
      for (std::string c; !(c = proc_->Read(0)).empty();) Consume(c);
      return raw_.find(bytes) != std::string::npos;
    }
    std::string chunk = proc_->Read(std::min(kSliceMs, MsLeft(deadline)));
    if (!chunk.empty()) Consume(chunk);
  }
}

std::optional<int> PtyRun::WaitExit(int timeoutMs) {
  auto deadline = After(timeoutMs);
  for (;;) {
    if (auto status = proc_->PollExit()) {
      for (std::string c; !(c = proc_->Read(0)).empty();) Consume(c);
      return status;
    }
    if (MsLeft(deadline) == 0) return std::nullopt;
    std::string chunk = proc_->Read(std::min(kSliceMs, MsLeft(deadline)));
    if (!chunk.empty()) Consume(chunk);
  }
}

void PtyRun::Signal(int sig) { proc_->Signal(sig); }

void PtyRun::HangUp() {
  for (std::string c; !(c = proc_->Read(0)).empty();) Consume(c);
  proc_->HangUp();
}

const termios& PtyRun::SettingsBefore() const { return proc_->SettingsAtStart(); }

std::optional<termios> PtyRun::SettingsNow() const { return proc_->SettingsNow(); }

std::string PtyRun::SettingsChanges() const {
  auto now = SettingsNow();
  if (!now) return "the terminal settings cannot be read (hung up)\n";
  return SettingsDiff(SettingsBefore(), *now);
}

std::vector<std::string> PtyRun::FilesInDir() const { return dir_->Files(); }

std::string PtyRun::Dir() const { return dir_->Path(); }

int PtyRun::Pid() const { return proc_->Pid(); }

}  // namespace rodi::e2e
