#include <gtest/gtest.h>
#include <windows.h>
#include "platform/rtl/Classes.h"
#include "platform/rtl/Streams.h"
#include "platform/testing/TestSupport.h"

using testing_support::TempFolder;

namespace {

std::vector<String> LinesOf(const TStrings& list) {
    std::vector<String> r;
    for (int i = 0; i < list.Count(); ++i) r.push_back(list[i]);
    return r;
}

template <class E>
String MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const E& e) {
        return e.Message();
    }
    return "(nothing raised)";
}

TObject* Tag(std::intptr_t n) { return reinterpret_cast<TObject*>(n); }

// Holds a file open without sharing, as another program may.
class LockedFile {
public:
    explicit LockedFile(const String& name)
        : FHandle(CreateFileW(ToWide(name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~LockedFile() { if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle); }
    bool Held() const { return FHandle != INVALID_HANDLE_VALUE; }
private:
    HANDLE FHandle;
};

}  // namespace

TEST(StringListTest, FileRoundTripIsByteExactInCodePage1256) {
    TempFolder dir;
    TStringList list;
    for (const String& s : {"مرحبا بكم في الدرس"_a, String(), String("name,lesson"), "سطر أخير"_a}) list.Add(s);
    list.SaveToFile(dir.File("lines.txt"));
    EXPECT_EQ(dir.Read("lines.txt"), "مرحبا بكم في الدرس\r\n\r\nname,lesson\r\nسطر أخير\r\n"_a);

    TStringList back;
    back.Add("old content goes");
    back.LoadFromFile(dir.File("lines.txt"));
    EXPECT_EQ(LinesOf(back), LinesOf(list));

    // a file of mixed line ends is read line by line and written back with CR LF
    dir.Write("mixed.txt", "a\r\nb\nc\rd");
    back.LoadFromFile(dir.File("mixed.txt"));
    back.SaveToFile(dir.File("mixed.txt"));
    EXPECT_EQ(dir.Read("mixed.txt"), "a\r\nb\r\nc\r\nd\r\n");
}

TEST(StringListTest, TextSplitsAtEveryKindOfLineEnd) {
    struct { const char* text; std::vector<String> lines; } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"\r\n", {""}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\rb\n\n", {"a", "", "b", ""}},
    };
    TStringList list;
    for (auto& c : cases) {
        list.SetText(c.text);
        EXPECT_EQ(LinesOf(list), c.lines) << c.text;
    }
    list.SetText("x\ny");
    EXPECT_EQ(list.Text(), "x\r\ny\r\n");
}

TEST(StringListTest, FailedSaveRaisesAndKeepsTheOldFile) {
    TempFolder dir;
    const String target = dir.File("AStudents.txt");
    dir.Write("AStudents.txt", "name,lesson\r\nold,1\r\n");
    TStringList list;
    list.SetText("name,lesson\r\nnew,2\r\n");

    {   // the target is held open without sharing: it cannot be replaced
        LockedFile lock(target);
        ASSERT_TRUE(lock.Held());
        String message = MessageOf<EFCreateError>([&] { list.SaveToFile(target); });
        EXPECT_EQ(message.rfind("Cannot create file \"" + target + "\". ", 0), 0u) << message;
    }
    EXPECT_EQ(dir.Read("AStudents.txt"), "name,lesson\r\nold,1\r\n");
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW(ToWide(dir.File("*")).c_str(), &fd);
    int files = 0;
    if (find != INVALID_HANDLE_VALUE) {
        do files += !(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
        while (FindNextFileW(find, &fd));
        FindClose(find);
    }
    EXPECT_EQ(files, 1) << "the temporary file was left behind";

    // the temporary file cannot be made: a folder stands where it would go
    ASSERT_TRUE(CreateDir(target + ".~new"));
    String message = MessageOf<EFCreateError>([&] { list.SaveToFile(target); });
    EXPECT_EQ(message.rfind("Cannot create file \"" + target + "\". ", 0), 0u) << message;
    EXPECT_EQ(dir.Read("AStudents.txt"), "name,lesson\r\nold,1\r\n");
    RemoveDir(target + ".~new");

    list.SaveToFile(target);
    EXPECT_EQ(dir.Read("AStudents.txt"), "name,lesson\r\nnew,2\r\n");
}

TEST(StringListTest, MissingFileRaisesOpenError) {
    TempFolder dir;
    TStringList list;
    list.Add("kept");
    String message = MessageOf<EFOpenError>([&] { list.LoadFromFile(dir.File("none.txt")); });
    EXPECT_EQ(message.rfind("Cannot open file \"" + dir.File("none.txt") + "\". ", 0), 0u) << message;
    EXPECT_GT(message.size(), dir.File("none.txt").size() + 22) << "the system's reason is missing";
    EXPECT_EQ(LinesOf(list), std::vector<String>{"kept"});
}

TEST(StringListTest, SortedListsAndDuplicates) {
    struct { TDuplicates dup; std::vector<String> lines; bool raises; } cases[] = {
        {dupIgnore, {"alif", "Beh", "Teh"}, false},
        {dupAccept, {"alif", "beh", "Beh", "Teh"}, false},
        {dupError, {"alif", "Beh", "Teh"}, true},
    };
    for (auto& c : cases) {
        TStringList list;
        list.SetSorted(true);
        list.SetDuplicates(c.dup);
        for (const char* s : {"Teh", "Beh", "alif"}) list.Add(s);
        String message = MessageOf<EStringListError>([&] { list.Add("beh"); });
        EXPECT_EQ(message, c.raises ? "String list does not allow duplicates" : "(nothing raised)");
        EXPECT_EQ(LinesOf(list), c.lines) << c.dup;
        int index = -1;
        EXPECT_TRUE(list.Find("BEH", index));
        EXPECT_EQ(index, 1);
        EXPECT_FALSE(list.Find("jeem", index));
        EXPECT_EQ(index, c.dup == dupAccept ? 3 : 2);   // where it would go
        EXPECT_EQ(list.IndexOf("TEH"), int(c.lines.size()) - 1);
    }

    TStringList list;
    list.SetSorted(true);
    list.Add("b");
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Insert(0, "a"); }), "Operation not allowed on sorted string list");
    list.SetSorted(false);
    list.Insert(0, "c");
    list.Add("a");
    list.SetSorted(true);   // sorts, without regard to case
    EXPECT_EQ(LinesOf(list), (std::vector<String>{"a", "b", "c"}));
    list.SetSorted(false);
    list.Put(1, "B");
    list.SetSorted(true);
    EXPECT_EQ(list.IndexOf("b"), 1);
    list.SetCaseSensitive(true);   // resorts: capitals first in byte order
    EXPECT_EQ(LinesOf(list), (std::vector<String>{"B", "a", "c"}));
    EXPECT_EQ(list.IndexOf("b"), -1);
    EXPECT_EQ(list.IndexOf("B"), 0);
    EXPECT_TRUE(list.Add("b") >= 0);
    EXPECT_EQ(LinesOf(list), (std::vector<String>{"B", "a", "b", "c"}));
}

TEST(StringListTest, UnsortedListOperations) {
    TStringList list;
    list.AddObject("one", Tag(1));
    list.AddObject("two", Tag(2));
    list.Add("three");
    list.InsertObject(0, "zero", Tag(9));
    EXPECT_EQ(list.IndexOf("TWO"), 2);
    EXPECT_EQ(list.IndexOfObject(Tag(2)), 2);
    list.Exchange(0, 2);
    EXPECT_EQ(LinesOf(list), (std::vector<String>{"two", "one", "zero", "three"}));
    EXPECT_EQ(list.Objects(0), Tag(2));
    list.Move(0, 3);
    EXPECT_EQ(LinesOf(list), (std::vector<String>{"one", "zero", "three", "two"}));
    EXPECT_EQ(list.Objects(3), Tag(2));
    list.Put(1, "nought");
    EXPECT_EQ(list.Objects(1), Tag(9)) << "Put keeps the line's object";
    list.Delete(0);
    EXPECT_EQ(LinesOf(list), (std::vector<String>{"nought", "three", "two"}));

    for (int bad : {-1, 3}) {
        String expected = "List index out of bounds (" + IntToStr(bad) + ")";
        EXPECT_EQ(MessageOf<EStringListError>([&] { list.Strings(bad); }), expected);
        EXPECT_EQ(MessageOf<EStringListError>([&] { list.Delete(bad); }), expected);
        EXPECT_EQ(MessageOf<EStringListError>([&] { list.Put(bad, "x"); }), expected);
        EXPECT_EQ(MessageOf<EStringListError>([&] { list.Exchange(0, bad); }), expected);
    }
    EXPECT_EQ(MessageOf<EStringListError>([&] { list.Insert(4, "x"); }), "List index out of bounds (4)");

    TStringList copy;
    copy.Add("gone");
    copy.Assign(list);
    EXPECT_TRUE(copy.Equals(list));
    copy.AddStrings(list);
    EXPECT_EQ(copy.Count(), 6);
    EXPECT_EQ(copy.Objects(3), Tag(9));
}

TEST(StringListTest, NamesAndValues) {
    TStringList list;
    list.SetText("Name=سالم\r\nplain line\r\nGoal=100\r\nEmpty=\r\n=novalue\r\n"_a);
    EXPECT_EQ(list.Values("name"), "سالم"_a);
    EXPECT_EQ(list.Values("GOAL"), "100");
    EXPECT_EQ(list.Values("Empty"), "");
    EXPECT_EQ(list.Values("missing"), "");
    EXPECT_EQ(list.IndexOfName("goal"), 2);
    EXPECT_EQ(list.IndexOfName("plain line"), -1);
    EXPECT_EQ(list.Names(0), "Name");
    EXPECT_EQ(list.Names(1), "");
    list.SetValues("goal", "50");
    list.SetValues("Lesson", "3");
    list.SetValues("Empty", "");
    EXPECT_EQ(list.Text(), "Name=سالم\r\nplain line\r\ngoal=50\r\n=novalue\r\nLesson=3\r\n"_a);
}

TEST(StringListTest, CommaAndDelimitedText) {
    TStringList list;
    for (const String& s : {String("a b"), String("c,d"), String("e\"f"), String(), "مرحبا"_a}) list.Add(s);
    EXPECT_EQ(list.CommaText(), "\"a b\",\"c,d\",\"e\"\"f\",,مرحبا"_a);
    TStringList back;
    back.SetCommaText(list.CommaText());
    EXPECT_EQ(LinesOf(back), LinesOf(list));

    back.SetCommaText(" x , y,\"z\" w,");
    EXPECT_EQ(LinesOf(back), (std::vector<String>{"x", "y", "z", "w", ""}));
    back.SetDelimiter(';');
    back.SetDelimitedText("1;2 3;;4");
    EXPECT_EQ(LinesOf(back), (std::vector<String>{"1", "2", "3", "", "4"}));
    back.Clear();
    back.Add("");
    EXPECT_EQ(back.CommaText(), "\"\"");
}

TEST(StringListTest, UpdatesAndChangeEvents) {
    TStringList list;
    std::vector<String> events;
    list.OnChanging = [&](TObject*) { events.push_back("changing"); };
    list.OnChange = [&](TObject*) { events.push_back("change"); };
    list.Add("a");
    EXPECT_EQ(events, (std::vector<String>{"changing", "change"}));
    events.clear();
    list.BeginUpdate();
    list.Add("b");
    list.BeginUpdate();
    list.Delete(0);
    list.EndUpdate();
    list.SetText("x\r\ny\r\n");
    EXPECT_EQ(events, std::vector<String>{"changing"});
    list.EndUpdate();
    EXPECT_EQ(events, (std::vector<String>{"changing", "change"}));
    events.clear();
    list.Clear();
    list.Clear();   // nothing to clear: no events
    EXPECT_EQ(events, (std::vector<String>{"changing", "change"}));
}

TEST(StringListTest, LoadsFromTheStreamPosition) {
    TStringStream stream("skip\r\nline 1\r\nline 2");
    stream.SetPosition(6);
    TStringList list;
    list.LoadFromStream(stream);
    EXPECT_EQ(LinesOf(list), (std::vector<String>{"line 1", "line 2"}));
    TStringStream out;
    list.SaveToStream(out);
    EXPECT_EQ(out.DataString(), "line 1\r\nline 2\r\n");
}

namespace {
// A TStrings whose storage lives elsewhere, as a list box's items: only the abstract operations.
class ForeignStrings : public TStrings {
public:
    std::vector<String> store;
    void Clear() override { store.clear(); }
    void Delete(int index) override { store.erase(store.begin() + index); }
    void Insert(int index, const String& s) override { store.insert(store.begin() + index, s); }
protected:
    String Get(int index) const override { return store.at(std::size_t(index)); }
    int GetCount() const override { return int(store.size()); }
};
}  // namespace

TEST(StringListTest, StringsOverForeignStorage) {
    ForeignStrings items;
    items.SetText("one\r\ntwo\r\nkey=value");
    EXPECT_EQ(items.store, (std::vector<String>{"one", "two", "key=value"}));
    items.Put(0, "first");
    items.Move(2, 0);
    items.Exchange(1, 2);
    EXPECT_EQ(items.store, (std::vector<String>{"key=value", "two", "first"}));
    EXPECT_EQ(items.Values("KEY"), "value");
    EXPECT_EQ(items.IndexOf("TWO"), 1);
    EXPECT_EQ(items.Text(), "key=value\r\ntwo\r\nfirst\r\n");
    TStringList copy;
    copy.Assign(items);
    EXPECT_TRUE(copy.Equals(items));
}

TEST(ListTest, PointerListOperations) {
    int a = 3, b = 1, c = 2;
    TList list;
    list.Add(&a);
    list.Add(&b);
    list.Insert(0, &c);
    EXPECT_EQ(list.IndexOf(&b), 2);
    EXPECT_EQ(list.Remove(&c), 0);
    EXPECT_EQ(list.Remove(&c), -1);
    list.Add(&c);
    list.Sort([](void* x, void* y) { return *static_cast<int*>(x) - *static_cast<int*>(y); });
    EXPECT_EQ(list[0], &b);
    EXPECT_EQ(list[1], &c);
    EXPECT_EQ(list.Last(), &a);
    list.Exchange(0, 2);
    list.Move(0, 1);
    EXPECT_EQ(list[0], &c);
    EXPECT_EQ(list[1], &a);
    list.Put(2, nullptr);
    list.Pack();
    EXPECT_EQ(list.Count(), 2);
    for (int bad : {-1, 2}) {
        String expected = "List index out of bounds (" + IntToStr(bad) + ")";
        EXPECT_EQ(MessageOf<EListError>([&] { list.Items(bad); }), expected);
        EXPECT_EQ(MessageOf<EListError>([&] { list.Delete(bad); }), expected);
    }
    EXPECT_EQ(MessageOf<EListError>([&] { list.Insert(3, &a); }), "List index out of bounds (3)");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

namespace {
int gItemsAlive = 0;

class TTestItem : public TCollectionItem {
public:
    explicit TTestItem(TCollection* c) : TCollectionItem(c) { ++gItemsAlive; }
    ~TTestItem() override { --gItemsAlive; }
    String name;
};

class TTestCollection : public TCollection {
public:
    TTestCollection() : TCollection([](TCollection* c) { return new TTestItem(c); }) {}
    TTestItem* Item(int i) const { return static_cast<TTestItem*>(Items(i)); }
    std::vector<TCollectionItem*> updates;
protected:
    void Update(TCollectionItem* item) override { updates.push_back(item); }
};
}  // namespace

TEST(CollectionTest, ItemsIdsIndexesAndUpdates) {
    {
        TTestCollection coll;
        auto* a = static_cast<TTestItem*>(coll.Add());
        auto* b = static_cast<TTestItem*>(coll.Add());
        auto* c = static_cast<TTestItem*>(coll.Insert(0));
        EXPECT_EQ(gItemsAlive, 3);
        EXPECT_EQ(coll.Item(0), c);
        EXPECT_EQ(a->ID(), 0);
        EXPECT_EQ(b->ID(), 1);
        EXPECT_EQ(c->ID(), 2);
        EXPECT_EQ(coll.FindItemID(1), b);
        EXPECT_EQ(a->Collection(), &coll);

        coll.updates.clear();
        b->SetIndex(0);
        EXPECT_EQ(b->Index(), 0);
        EXPECT_EQ(c->Index(), 1);
        EXPECT_EQ(coll.updates, std::vector<TCollectionItem*>{nullptr});
        EXPECT_THROW(a->SetIndex(5), EListError);

        coll.updates.clear();
        coll.BeginUpdate();
        coll.Add();
        coll.Delete(0);
        EXPECT_TRUE(coll.updates.empty());
        coll.EndUpdate();
        EXPECT_EQ(coll.updates, std::vector<TCollectionItem*>{nullptr});
        EXPECT_EQ(gItemsAlive, 3);

        delete c;   // an item leaves its collection when destroyed
        EXPECT_EQ(coll.Count(), 2);
        EXPECT_EQ(coll.Item(0), a);
        EXPECT_THROW(coll.Items(2), EListError);

        TTestCollection other;
        a->SetCollection(&other);
        EXPECT_EQ(other.Count(), 1);
        EXPECT_EQ(coll.Count(), 1);
        EXPECT_EQ(a->ID(), 0);
        coll.Clear();
        EXPECT_EQ(gItemsAlive, 1);
    }
    EXPECT_EQ(gItemsAlive, 0) << "a collection destroys its items";
}
