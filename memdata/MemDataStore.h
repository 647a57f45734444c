#pragma once
// Inside TMemData: what a text load takes aside and gives back when it fails, and the scope of
// its Loading flag.
#include "MemData.h"

struct TMemData::TStore {
    std::vector<std::vector<TMemFieldRec>> Values;   // per column
    std::vector<std::int32_t> MaxIncValues;
    std::vector<std::int32_t> RecIdList;
    std::vector<std::unique_ptr<TBlobArray>> BlobList;
    std::vector<int> FilterList;
    std::int32_t LastRecId = 0;
    int CurRec = -1;
    int FilterRec = -1;
    bool FilterActive = false;
};

class TMemData::TLoadingScope {
public:
    explicit TLoadingScope(TMemData& data) : FData(data), FWas(data.FLoading) { data.FLoading = true; }
    ~TLoadingScope() { FData.FLoading = FWas; }
    TLoadingScope(const TLoadingScope&) = delete;
    TLoadingScope& operator=(const TLoadingScope&) = delete;
    void End() { FData.FLoading = FWas; }
private:
    TMemData& FData;
    bool FWas;
};
