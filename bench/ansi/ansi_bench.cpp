// Drawing speed of rodi-view at pace 0 against cat of the same art (as UTF-8),
// each into an 80x25 pseudo-terminal that a reader drains; side by side, the
// median of several runs. Also the bytes sent per byte of art, when strace is
// there the write calls per KB, and as a floor for a program that may write at
// most 1,024 bytes at a time, dd writing rodi-view's own output in 1 KB blocks.
//
//   ansi_bench [--runs N] [--size BYTES] [--art FILE.ans]
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "art.h"
#include "pty_timing.h"

namespace {

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The write calls to the terminal that one drawing makes, or -1 without strace.
long CountWrites(const std::string& view, const std::string& artPath, const std::string& dir) {
  const std::string strace = "/usr/bin/strace";
  if (access(strace.c_str(), X_OK) != 0) return -1;
  const std::string log = dir + "/writes.txt";
  TimeInPty({strace, "-e", "trace=write", "-o", log, view, artPath, "0", "--utf8"}, kEndMark, "q");
  std::ifstream in(log);
  long writes = 0;
  for (std::string line; std::getline(in, line);) writes += line.rfind("write(1,", 0) == 0;
  return writes;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 7;
  size_t size = 160 * 1024;
  std::string artSource;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string opt = argv[i];
    if (opt == "--runs") runs = std::max(1, std::atoi(argv[i + 1]));
    if (opt == "--size") size = std::strtoul(argv[i + 1], nullptr, 10);
    if (opt == "--art") artSource = argv[i + 1];
  }
  std::string art;
  if (artSource.empty()) {
    art = MakeArt(size);
  } else {
    std::ifstream in(artSource, std::ios::binary);
    art.assign(std::istreambuf_iterator<char>(in), {});
    art = art.substr(0, art.find('\x1a')) + kEndMark;  // what rodi-view draws, then the mark
  }
  char dirTemplate[] = "/tmp/rodi-ansi-bench-XXXXXX";
  const std::string dir = mkdtemp(dirTemplate);
  const std::string artPath = dir + "/art.ans", utf8Path = dir + "/art.utf8";
  WriteFile(artPath, art);
  WriteFile(utf8Path, ToUtf8(art));
  const std::string view = RODI_VIEW;

  std::string sent;
  TimeInPty({view, artPath, "0", "--utf8"}, kEndMark, "q", &sent);
  const std::string sentPath = dir + "/sent.bin";
  WriteFile(sentPath, sent);
  const std::string ddInput = "if=" + sentPath;

  std::vector<double> viewTimes, catTimes, viewCpu, catCpu, ddTimes;
  size_t viewBytes = 0;
  for (int i = 0; i < runs; ++i) {
    ddTimes.push_back(
        TimeInPty({"/bin/dd", ddInput, "bs=1024", "status=none"}, kEndMark, "").seconds);
    const PtyTiming v = TimeInPty({view, artPath, "0", "--utf8"}, kEndMark, "q");
    const PtyTiming c = TimeInPty({"/bin/cat", utf8Path}, kEndMark, "");
    viewTimes.push_back(v.seconds);
    catTimes.push_back(c.seconds);
    viewCpu.push_back(v.cpuSeconds);
    catCpu.push_back(c.cpuSeconds);
    viewBytes = v.bytes;
  }
  const double viewMs = Median(viewTimes) * 1000, catMs = Median(catTimes) * 1000;
  std::printf("art: %zu bytes (%zu as UTF-8), %d runs each\n", art.size(), ToUtf8(art).size(), runs);
  std::printf("rodi-view pace 0: median %.1f ms (its CPU time %.1f ms)\n", viewMs,
              Median(viewCpu) * 1000);
  std::printf("cat (UTF-8 art):  median %.1f ms (its CPU time %.1f ms)\n", catMs,
              Median(catCpu) * 1000);
  std::printf("ratio rodi-view / cat: %.2f\n", viewMs / catMs);
  std::printf("dd of rodi-view's output in 1 KB writes: median %.1f ms\n", Median(ddTimes) * 1000);
  std::printf("bytes sent per byte of art: %.3f\n", double(viewBytes) / double(art.size()));
  if (const long writes = CountWrites(view, artPath, dir); writes >= 0) {
    std::printf("write calls: %ld, %.2f per KB of art\n", writes, writes / (art.size() / 1024.0));
  }
  std::remove(artPath.c_str());
  std::remove(utf8Path.c_str());
  std::remove(sentPath.c_str());
  std::remove((dir + "/writes.txt").c_str());
  rmdir(dir.c_str());
}
