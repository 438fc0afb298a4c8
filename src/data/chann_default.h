#pragma once
// The factory channel table: rows 0..199 cleared to 0xFF, then eight channels.
void Chann_Default();
