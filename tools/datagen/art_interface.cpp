#include "art.h"
void MakeInterface(ArtOutput&) {}
