#include <gtest/gtest.h>
#include "platform/rtl/Streams.h"
#include "platform/testing/TestSupport.h"

using testing_support::TempFolder;

namespace {
String ReadAll(TStream& s, int count) {
    String r(std::size_t(count), '\0');
    r.resize(std::size_t(s.Read(r.data(), count)));
    return r;
}
}  // namespace

TEST(StreamTest, SeekAndSizeOfMemoryAndStringStreams) {
    TMemoryStream memory;
    TStringStream text;
    for (TStream* s : std::initializer_list<TStream*>{&memory, &text}) {
        s->WriteBuffer("abcdef", 6);
        EXPECT_EQ(s->Size(), 6);
        EXPECT_EQ(s->Position(), 6);
        struct { std::int64_t offset; TSeekOrigin origin; std::int64_t pos; const char* read; } cases[] = {
            {2, soFromBeginning, 2, "cd"},
            {-1, soFromCurrent, 3, "de"},
            {-2, soFromEnd, 4, "ef"},
            {0, soFromEnd, 6, ""},
        };
        for (auto& c : cases) {
            EXPECT_EQ(s->Seek(c.offset, c.origin), c.pos);
            EXPECT_EQ(ReadAll(*s, 2), c.read) << c.offset << " " << c.origin;
        }
        s->SetPosition(1);
        s->WriteBuffer("XY", 2);   // overwrites in place, the rest stays
        s->SetPosition(0);
        EXPECT_EQ(ReadAll(*s, 10), "aXYdef");
        s->SetSize(3);
        EXPECT_EQ(s->Position(), 3);
        EXPECT_EQ(s->Size(), 3);
        s->SetPosition(0);
        char buf[8];
        try {
            s->ReadBuffer(buf, 4);
            ADD_FAILURE() << "no read error";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), "Stream read error");
        }
    }
    EXPECT_EQ(text.DataString(), "aXY");

    // a memory stream may be positioned past its end; a write there fills the gap with zeros
    memory.Seek(5, soFromBeginning);
    EXPECT_EQ(memory.Read(nullptr, 4), 0);
    memory.WriteBuffer("z", 1);
    EXPECT_EQ(memory.Size(), 6);
    EXPECT_EQ(String(static_cast<const char*>(memory.Memory()), 6), String("aXY\0\0z", 6));
    // a string stream has no gaps: the position stays within the text
    EXPECT_EQ(text.Seek(10, soFromBeginning), 3);
    EXPECT_EQ(text.Seek(-10, soFromCurrent), 0);
    EXPECT_EQ(text.ReadString(2), "aX");
    memory.Clear();
    EXPECT_EQ(memory.Size(), 0);
    EXPECT_EQ(memory.Position(), 0);
}

TEST(StreamTest, CopyFromCopiesWholeOrPart) {
    TStringStream source("0123456789");
    source.SetPosition(7);
    TMemoryStream target;
    EXPECT_EQ(target.CopyFrom(source, 0), 10);   // 0: all of it, from the start
    source.SetPosition(2);
    EXPECT_EQ(target.CopyFrom(source, 3), 3);
    EXPECT_EQ(String(static_cast<const char*>(target.Memory()), std::size_t(target.Size())), "0123456789234");
    source.SetPosition(8);
    EXPECT_THROW(target.CopyFrom(source, 3), EReadError);
}

TEST(StreamTest, FileStreamModesAndErrors) {
    TempFolder dir;
    const String name = dir.File("data.bin");
    {
        TFileStream f(name, fmCreate);
        f.WriteBuffer("hello world", 11);
        f.SetSize(5);
        EXPECT_EQ(f.Size(), 5);
        EXPECT_EQ(f.Position(), 5);
        EXPECT_EQ(f.FileName(), name);
    }
    EXPECT_EQ(dir.Read("data.bin"), "hello");
    {
        TFileStream f(name, fmOpenReadWrite);
        f.Seek(0, soFromEnd);
        f.WriteBuffer(" you", 4);
        f.SetPosition(1);
        EXPECT_EQ(ReadAll(f, 20), "ello you");
    }
    {
        TFileStream reader(name, fmOpenRead | fmShareDenyWrite);
        // a second reader is allowed by deny-write, a writer is not
        TFileStream second(name, fmOpenRead | fmShareDenyNone);
        EXPECT_EQ(ReadAll(second, 5), "hello");
        EXPECT_THROW(TFileStream(name, fmOpenWrite | fmShareDenyNone), EFOpenError);
        char c;
        EXPECT_EQ(reader.Write(&c, 1), 0);
        try {
            reader.WriteBuffer(&c, 1);
            ADD_FAILURE() << "no write error";
        } catch (const EWriteError& e) {
            EXPECT_EQ(e.Message(), "Stream write error");
        }
    }
    try {
        TFileStream f(dir.File("missing.bin"), fmOpenRead);
        ADD_FAILURE() << "opened a missing file";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message().rfind("Cannot open file \"" + dir.File("missing.bin") + "\". ", 0), 0u) << e.Message();
    }
    try {
        TFileStream f(dir.File("no folder\\x.bin"), fmCreate);
        ADD_FAILURE() << "created in a missing folder";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message().rfind("Cannot create file \"" + dir.File("no folder\\x.bin") + "\". ", 0), 0u) << e.Message();
    }
}

TEST(StreamTest, MemoryStreamFileRoundTrip) {
    TempFolder dir;
    const std::string bytes = std::string("\0\x01\xFF\r\n", 5) + "عربي"_a + "\x1A";
    TMemoryStream m;
    m.WriteBuffer(bytes.data(), int(bytes.size()));
    m.SaveToFile(dir.File("m.bin"));
    EXPECT_EQ(dir.Read("m.bin"), bytes);
    dir.Write("m.bin", "other");
    m.LoadFromFile(dir.File("m.bin"));
    EXPECT_EQ(m.Size(), 5);
    EXPECT_EQ(m.Position(), 0);
    EXPECT_EQ(ReadAll(m, 10), "other");
    EXPECT_THROW(m.LoadFromFile(dir.File("none")), EFOpenError);
    EXPECT_EQ(m.Size(), 5) << "a failed load keeps the content";
}
