#pragma once
// The shared language texts (About box, 2-tone responses, 5-tone functions).

// Stores About_Text, Resp_List and Func_List in the language of Lang_Flag.
void Text_Lang();
