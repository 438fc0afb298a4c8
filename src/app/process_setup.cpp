#include "process_setup.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <signal.h>
#endif

void Prepare_Process() {
#if defined(Q_OS_UNIX) && defined(SIGXFSZ)
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  ::sigaction(SIGXFSZ, &ignore, nullptr);
#endif
}
