#pragma once
// A small in-memory table for the tests: "Name" (string, 30) and "Lesson" (integer).
#include "memdata/MemData.h"

struct TMemTable {
    TMemData Data{"Students"};
    TStringField* Name = new TStringField();
    TIntegerField* Lesson = new TIntegerField();

    TMemTable() {
        Name->SetFieldName("Name");
        Name->SetSize(30);
        Name->SetDataSet(&Data);
        Lesson->SetFieldName("Lesson");
        Lesson->SetDataSet(&Data);
    }
    void Add(const String& name, int lesson = 0) {
        Data.Append();
        Name->SetAsString(name);
        Lesson->SetAsInteger(lesson);
        Data.Post();
    }
    // The names in cursor order; the cursor ends after the last.
    String Names() {
        String r;
        for (Data.First(); !Data.Eof(); Data.Next()) {
            if (!r.empty()) r += ",";
            r += Name->AsString();
        }
        return r;
    }
};
