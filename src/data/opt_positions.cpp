#include "opt_positions.h"

#define CV_OPT_DEFINE(name, pos, def) int16_t name = 0;
CV_OPT_POSITIONS(CV_OPT_DEFINE)
#undef CV_OPT_DEFINE

void Opt_PosInit() {
#define CV_OPT_INIT(name, pos, def) name = pos;
  CV_OPT_POSITIONS(CV_OPT_INIT)
#undef CV_OPT_INIT
}

void Opt_Pos_Reset() {
#define CV_OPT_ZERO(name, pos, def) name = 0;
  CV_OPT_POSITIONS(CV_OPT_ZERO)
#undef CV_OPT_ZERO
}
