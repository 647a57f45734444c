// Timings of the in-memory table at two sizes: appends, a walk, bookmark jumps, sorting,
// Locate on the sorted field (binary search) and on an unsorted one, saving and loading a
// delimited file. Run by hand: memdata_bench.exe [records]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>
#include "memdata/MemData.h"
#include "platform/rtl/SysUtils.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

struct Table {
    TMemData data{"Bench"};
    TStringField* name = new TStringField();
    TIntegerField* number = new TIntegerField();
    Table() {
        name->SetFieldName("Name");
        name->SetSize(30);
        name->SetDataSet(&data);
        number->SetFieldName("Number");
        number->SetDataSet(&data);
        data.Open();
    }
};

String NameOf(std::uint32_t n) { return "user" + IntToStr(static_cast<long long>(n)); }

void Run(int records) {
    std::printf("-- %d records\n", records);
    std::mt19937 random(12345);
    Table t;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < records; ++i) {
        t.data.Append();
        t.name->SetAsString(NameOf(random()));
        t.number->SetAsInteger(i);
        t.data.Post();
    }
    std::printf("append          %8.3f s\n", Seconds(start));

    start = std::chrono::steady_clock::now();
    long long sum = 0;
    for (t.data.First(); !t.data.Eof(); t.data.Next()) sum += t.number->AsInteger();
    std::printf("walk            %8.3f s (sum %lld)\n", Seconds(start), sum);

    std::vector<TBookmark> marks;
    for (int i = 0; i < 10000; ++i) {
        t.data.SetRecNo(static_cast<int>(random() % static_cast<unsigned>(records)) + 1);
        marks.push_back(t.data.GetBookmark());
    }
    start = std::chrono::steady_clock::now();
    for (const TBookmark& b : marks) t.data.GotoBookmark(b);
    std::printf("10000 bookmarks %8.3f s\n", Seconds(start));

    String file = GetTempDirectory() + "memdata_bench.txt";
    t.data.TextDelimiter = ',';
    start = std::chrono::steady_clock::now();
    t.data.SaveToDelimitedFile(file);
    std::printf("save            %8.3f s\n", Seconds(start));
    start = std::chrono::steady_clock::now();
    t.data.LoadFromDelimitedFile(file);
    std::printf("load            %8.3f s (%d records)\n", Seconds(start), t.data.RecordCount());
    RemoveFile(file);

    std::vector<String> keys;
    for (int i = 0; i < 10000; ++i) {
        t.data.SetRecNo(static_cast<int>(random() % static_cast<unsigned>(records)) + 1);
        keys.push_back(t.name->AsString());
    }
    start = std::chrono::steady_clock::now();
    int found = 0;
    for (int i = 0; i < 10000; ++i)
        found += t.data.Locate("Number", static_cast<int>(random() % static_cast<unsigned>(records)), 0);
    std::printf("10000 Locate, unsorted %7.3f s (%d found)\n", Seconds(start), found);

    start = std::chrono::steady_clock::now();
    t.data.SetSortedField("Name");
    std::printf("sort            %8.3f s\n", Seconds(start));

    start = std::chrono::steady_clock::now();
    found = 0;
    for (const String& k : keys) found += t.data.Locate("Name", k, 0);
    std::printf("10000 Locate, sorted   %7.3f s (%d found)\n", Seconds(start), found);
}

}  // namespace

int main(int argc, char** argv) {
    int records = argc > 1 ? std::atoi(argv[1]) : 100000;
    try {
        Run(records / 2);
        Run(records);
    } catch (const std::exception& e) {
        std::printf("failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
