#pragma once
// The check state of the items of a list in check mode. Each item's data word in the window
// holds its wrapper, and the item's own data lives in the wrapper; the wrappers are owned here.
#include <memory>
#include <unordered_map>
#include <windows.h>

struct TCheckWrapper {
    LRESULT Data = 0;       // the item's own data word, pointer-sized as the window's is
    BYTE State = 0;         // 0 unchecked, 1 checked
};

class TCheckWrappers {
public:
    // The wrapper a data word holds, or nullptr when the word is not one of these wrappers.
    TCheckWrapper* Find(LRESULT word) const;
    // A new wrapper; data already on the item (a word that is no wrapper) moves into it.
    TCheckWrapper* Make(LRESULT adoptedData);
    void Free(TCheckWrapper* wrapper);
    void Clear() { FWrappers.clear(); }
    bool Empty() const { return FWrappers.empty(); }
    static LRESULT Word(TCheckWrapper* wrapper) { return reinterpret_cast<LRESULT>(wrapper); }
private:
    std::unordered_map<LRESULT, std::unique_ptr<TCheckWrapper>> FWrappers;
};
