// A stand-in for the player library that only records how it is called. Built
// once with every entry point, and once without each of them (FAKE_OMIT_<name>).
#include <cstdint>
#include <string>

namespace {
using BOOL = std::int32_t;
using DWORD = std::uint32_t;

std::string calls;
bool initWorks = true, loadWorks = true;

void Log(const std::string& call) { calls += (calls.empty() ? "" : " ") + call; }
}  // namespace

extern "C" {

// The test's own handle on the library reaches these; the magazine never looks them up.
const char* FakeCalls() { return calls.c_str(); }
void FakeReset(BOOL init, BOOL load) {
  calls.clear();
  initWorks = init != 0;
  loadWorks = load != 0;
}

#ifndef FAKE_OMIT_BASSMOD_Init
BOOL BASSMOD_Init(int device, DWORD freq, DWORD flags) {
  Log("Init(" + std::to_string(device) + "," + std::to_string(freq) + "," + std::to_string(flags) + ")");
  return initWorks || device == -2;
}
#endif
#ifndef FAKE_OMIT_BASSMOD_Free
void BASSMOD_Free() { Log("Free"); }
#endif
#ifndef FAKE_OMIT_BASSMOD_MusicLoad
BOOL BASSMOD_MusicLoad(BOOL mem, const void* file, DWORD offset, DWORD length, DWORD flags) {
  Log("MusicLoad(" + std::to_string(mem) + "," + static_cast<const char*>(file) + "," +
      std::to_string(offset) + "," + std::to_string(length) + "," + std::to_string(flags) + ")");
  return loadWorks;
}
#endif
#ifndef FAKE_OMIT_BASSMOD_MusicPlay
BOOL BASSMOD_MusicPlay() { return Log("MusicPlay"), 1; }
#endif
#ifndef FAKE_OMIT_BASSMOD_MusicFree
void BASSMOD_MusicFree() { Log("MusicFree"); }
#endif
#ifndef FAKE_OMIT_BASSMOD_SetVolume
BOOL BASSMOD_SetVolume(DWORD volume) { return Log("SetVolume(" + std::to_string(volume) + ")"), 1; }
#endif
#ifndef FAKE_OMIT_BASSMOD_GetVolume
int BASSMOD_GetVolume() { return Log("GetVolume"), 100; }
#endif

}  // extern "C"
