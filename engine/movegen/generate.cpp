#include "movegen/generate.h"

namespace {

template <Side S>
MoveEntry* allFor(MoveEntry* list, const CheckInfo&) {
    return generateAll<S>(list);
}
template <Side S>
MoveEntry* capturesFor(MoveEntry* list, const CheckInfo&) {
    return generateCaptures<S>(list);
}
template <Side S>
MoveEntry* evasionsFor(MoveEntry* list, const CheckInfo& check) {
    return generateEvasions<S>(list, check);
}

}  // namespace

const MoveGenerator MOVE_GENERATORS[3][2] = {
    {allFor<BLACK>, allFor<WHITE>},
    {capturesFor<BLACK>, capturesFor<WHITE>},
    {evasionsFor<BLACK>, evasionsFor<WHITE>},
};
