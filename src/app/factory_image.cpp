#include "factory_image.h"

#include "data/chann_default.h"
#include "data/image_map.h"
#include "data/opt_default.h"
#include "data/opt_positions.h"
#include "data/shared_state.h"
#include "data/tone_table.h"
#include "editors/alignment/adj_area.h"
#include "editors/channel/fm_record.h"
#include "editors/signalling/dtmf_area.h"
#include "editors/signalling/tone2_area.h"
#include "editors/signalling/tone5_area.h"

void Factory_Tables() {
  Chann_Count = 200;
  Tone_Init();
  Opt_PosInit();
  Band_Init();
  Band_Limits = {136, 174, 136, 174, 400, 480, 400, 480};
  Band_Type = 0;
}

void Factory_Defaults() {
  // The 0xFF fill comes first: the defaults overwrite parts of it.
  Image_Fill();
  Fm_Default();
  Opt_Default();
  Dtmf_Default();
  Tone2_Default();
  Tone5_Default();
  // The alignment table is built before it is copied.
  Adj_DefaultFill();
  for (int r = 0; r <= 31; ++r)
    for (int c = 0; c <= 15; ++c) Adj_Image[r][c] = Adj_Default[r][c];
  Chann_Default();
}
