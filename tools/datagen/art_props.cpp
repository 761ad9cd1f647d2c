#include "art.h"
const std::vector<PropKind>& PropKinds() { static std::vector<PropKind> k; return k; }
PropPainter FindProp(const std::string&) { return nullptr; }
void MakeProps(ArtOutput&) {}
