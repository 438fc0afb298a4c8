// radiosim: a simulated radio on a pseudo-terminal, for trying the program
// without a radio. Prints the tty path on its first line, then runs until
// SIGINT or SIGTERM.

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "tools/radiosim/radio_sim.h"

#ifdef RADIOSIM_IMAGE_FILES
#include <QFile>

#include "files/image_file.h"
#endif

namespace {

void Usage(FILE* to) {
  std::fputs(
      "usage: radiosim [--pace] [--plain-ident] [--password USER] [--super PASS]\n"
      "                [--load FILE.dat] [--log] [--quiet]\n"
      "  --pace          answer at true 9600 baud (otherwise as fast as possible)\n"
      "  --plain-ident   identification record without the leading 0x06\n"
      "  --password USER user password of the radio (up to 6 characters)\n"
      "  --super PASS    super password of the radio\n"
      "  --load FILE     start with the memory of an image file\n"
      "  --log           print every frame received\n"
      "  --quiet         print nothing but the tty path\n",
      to);
}

#ifdef RADIOSIM_IMAGE_FILES
// Rows 0..1023 of an image file are the radio's 16 KiB.
bool Load(radiosim::Radio_Sim& sim, const char* path) {
  QFile f(QString::fromLocal8Bit(path));
  if (!f.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "radiosim: cannot read %s\n", path);
    return false;
  }
  Image_Parse_Error err;
  const auto table = Image_File_Parse(f.readAll(), &err);
  if (!table) {
    std::fprintf(stderr, "radiosim: %s is no image file (line %d, \"%s\")\n", path, err.line,
                 err.token.toLocal8Bit().constData());
    return false;
  }
  std::vector<uint8_t> mem;
  for (int r = 0; r < radiosim::Memory_Bytes / 16; ++r)
    for (int c = 0; c < 16; ++c) mem.push_back(static_cast<uint8_t>((*table)[r][c]));
  sim.Set_Memory(mem);
  return true;
}
#else
bool Load(radiosim::Radio_Sim&, const char*) {
  std::fputs("radiosim: built without image files, --load is not available\n", stderr);
  return false;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  radiosim::Radio_Sim sim;
  bool quiet = false, log = false;
  const char* user = nullptr;
  const char* super = nullptr;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool has_value = i + 1 < argc;
    if (a == "--pace") sim.Set_Paced(true);
    else if (a == "--plain-ident") sim.Set_Ident_Form(radiosim::Ident_Form::Plain);
    else if (a == "--quiet") quiet = true;
    else if (a == "--log") log = true;
    else if (a == "--password" && has_value) user = argv[++i];
    else if (a == "--super" && has_value) super = argv[++i];
    else if (a == "--load" && has_value) {
      if (!Load(sim, argv[++i])) return 1;
    } else if (a == "--help" || a == "-h") {
      Usage(stdout);
      return 0;
    } else {
      Usage(stderr);
      return 2;
    }
  }
  if (user) sim.Set_Password(user);
  if (super) sim.Set_Super(super);

  // The simulator's thread inherits the mask, so the signals come to sigwait.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGINT);
  sigaddset(&stop_signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

  const auto t0 = radiosim::Clock::now();
  if (log)
    sim.Set_On_Frame([t0](const radiosim::Frame& f) {
      const double s = std::chrono::duration<double>(f.last - t0).count();
      std::printf("%10.3f %s\n", s, radiosim::Radio_Sim::Describe(f).c_str());
      std::fflush(stdout);
    });
  std::string why;
  if (!sim.Start(&why)) {
    std::fprintf(stderr, "radiosim: %s\n", why.c_str());
    return 1;
  }
  std::printf("%s\n", sim.Tty_Path().c_str());
  if (!quiet)
    std::printf("point the program at it with CVR47X_COM1=%s and choose COM1\n",
                sim.Tty_Path().c_str());
  std::fflush(stdout);

  int sig = 0;
  sigwait(&stop_signals, &sig);
  sim.Stop();
  if (!quiet) {
    const radiosim::Counters c = sim.Counts();
    std::printf("%d connects, %d reads, %d writes, %d ignored bytes\n", c.connects, c.reads,
                c.writes, c.ignored_bytes);
  }
  return 0;
}
