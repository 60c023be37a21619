#include "store/ItemStates.h"

#include <stdexcept>

namespace store {

bool& TItemState::choice(int k)
{
    switch (k) {
    case 1: return Choice1;
    case 2: return Choice2;
    case 3: return Choice3;
    case 4: return Choice4;
    case 5: return Choice5;
    case 6: return Choice6;
    }
    throw std::out_of_range("answer number out of range");
}

bool TItemState::choice(int k) const
{
    return const_cast<TItemState*>(this)->choice(k);
}

}  // namespace store
