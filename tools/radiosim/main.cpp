// radiosim: a simulated radio on a pseudo-terminal, for trying the program
// without a radio. Prints the tty path on its first line, then runs until
// SIGINT or SIGTERM.

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "tools/radiosim/radio_sim.h"

#ifdef RADIOSIM_START_MEMORY
#include "tools/radiosim/start_memory.h"
#endif

namespace {

void Usage(FILE* to) {
  std::fputs(
      "usage: radiosim [--pace] [--plain-ident] [--password USER] [--super PASS]\n"
      "                [--load FILE.dat | --blank] [--log] [--quiet]\n"
      "The radio starts with the program's own factory start-up image in its\n"
      "memory (the image the program shows before its first read) and the\n"
      "program's factory alignment table, its two passwords included, at\n"
      "0x3C00..0x3DFF (what the alignment editor shows before its first read),\n"
      "unless --load or --blank says otherwise.\n"
      "  --pace          answer at true 9600 baud (otherwise as fast as possible)\n"
      "  --plain-ident   identification record without the leading 0x06\n"
      "  --password USER user password of the radio (up to 6 characters)\n"
      "  --super PASS    super password of the radio\n"
      "  --load FILE     start with the memory of an image file (.dat); the\n"
      "                  alignment area, which image files do not carry, still\n"
      "                  holds the factory alignment table\n"
      "  --blank         start erased: every byte 0xFF, the alignment area\n"
      "                  included, but for the password row 0x3DF0..0x3DFF:\n"
      "                  twelve blanks (0x20: neither password set), then\n"
      "                  four 0x00\n"
      "  --log           print every frame received\n"
      "  --quiet         print nothing but the tty path\n"
      "Point the program at the printed path with CVR47X_COM20=PATH: the program\n"
      "tries COM20 first at start-up.\n",
      to);
}

// The memory the radio starts with: false (after a message) when a file
// given with --load cannot be used.
bool Start_Memory(radiosim::Radio_Sim& sim, const char* load, bool blank) {
#ifdef RADIOSIM_START_MEMORY
  if (load) {
    QString why;
    const auto mem = radiosim::Image_File_Memory(QString::fromLocal8Bit(load), &why);
    if (!mem) {
      std::fprintf(stderr, "radiosim: cannot load %s: %s\n", load, why.toLocal8Bit().constData());
      return false;
    }
    sim.Set_Memory(*mem);
  } else if (!blank) {
    sim.Set_Memory(radiosim::Factory_Memory());
  }
  return true;
#else
  (void)sim;
  (void)blank;
  if (load) {
    std::fputs("radiosim: built without image files, --load is not available\n", stderr);
    return false;
  }
  if (!blank) std::fputs("radiosim: built without the program, starting blank\n", stderr);
  return true;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  radiosim::Radio_Sim sim;
  bool quiet = false, log = false;
  bool blank = false;
  const char* user = nullptr;
  const char* super = nullptr;
  const char* load = nullptr;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool has_value = i + 1 < argc;
    if (a == "--pace") sim.Set_Paced(true);
    else if (a == "--plain-ident") sim.Set_Ident_Form(radiosim::Ident_Form::Plain);
    else if (a == "--quiet") quiet = true;
    else if (a == "--log") log = true;
    else if (a == "--password" && has_value) user = argv[++i];
    else if (a == "--super" && has_value) super = argv[++i];
    else if (a == "--load" && has_value) load = argv[++i];
    else if (a == "--blank") blank = true;
    else if (a == "--help" || a == "-h") {
      Usage(stdout);
      return 0;
    } else {
      Usage(stderr);
      return 2;
    }
  }
  if (load && blank) {
    std::fputs("radiosim: --load and --blank exclude each other\n", stderr);
    return 2;
  }
  if (!Start_Memory(sim, load, blank)) return 1;
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
    std::printf("point the program at it with CVR47X_COM20=%s (COM20 is tried first)\n",
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
