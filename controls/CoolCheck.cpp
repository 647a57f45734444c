#include "controls/CoolCheck.h"

TCheckWrapper* TCheckWrappers::Find(LRESULT word) const {
    auto it = FWrappers.find(word);
    return it == FWrappers.end() ? nullptr : it->second.get();
}

TCheckWrapper* TCheckWrappers::Make(LRESULT adoptedData) {
    auto wrapper = std::make_unique<TCheckWrapper>();
    wrapper->Data = adoptedData;
    TCheckWrapper* made = wrapper.get();
    FWrappers.emplace(Word(made), std::move(wrapper));
    return made;
}

void TCheckWrappers::Free(TCheckWrapper* wrapper) { FWrappers.erase(Word(wrapper)); }
