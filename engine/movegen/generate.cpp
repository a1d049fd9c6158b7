#include "movegen/generate.h"

namespace {

template <Side S>
MoveEntry* allFor(const Position& pos, MoveEntry* list, const CheckInfo&) {
    return generateAll<S>(pos, list);
}
template <Side S>
MoveEntry* capturesFor(const Position& pos, MoveEntry* list, const CheckInfo&) {
    return generateCaptures<S>(pos, list);
}
template <Side S>
MoveEntry* evasionsFor(const Position& pos, MoveEntry* list, const CheckInfo& check) {
    return generateEvasions<S>(pos, list, check);
}

}  // namespace

const MoveGenerator MOVE_GENERATORS[3][2] = {
    {allFor<BLACK>, allFor<WHITE>},
    {capturesFor<BLACK>, capturesFor<WHITE>},
    {evasionsFor<BLACK>, evasionsFor<WHITE>},
};
