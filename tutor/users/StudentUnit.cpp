#include "tutor/users/StudentUnit.h"
#include <algorithm>
#include <climits>
#include <set>
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Application.h"
#include "tutor/games/GameUnit.h"
#include "tutor/lessons/Beginner.h"
#include "tutor/lessons/ClassUnit.h"
#include "tutor/lessons/LessonsUnit.h"
#include "tutor/lessons/RunResults.h"
#include "tutor/menu/MainUnit.h"
#include "tutor/menu/ScreenParts.h"
#include "tutor/options/OptionUnit.h"
#include "tutor/results/Results.h"
#include "tutor/tests/Level.h"
#include "tutor/tests/SpeedUnit.h"
#include "tutor/users/Encrypt.h"

TStudentsForm* StudentsForm = nullptr;

namespace {

// Stored, encoded, for a user without a password; the entry writes it capitalised.
const char* const NoPassword = "openaccess";
constexpr int NameSize = 150;

String Section(int n) { return "User" + IntToStr(n); }

// The values of a line as the table's text loader splits it: no quoting, and a trailing
// delimiter gives no empty last value.
std::vector<String> LineValues(const String& line) {
    std::vector<String> values;
    std::size_t start = 0;
    while (start < line.size()) {
        std::size_t at = line.find(',', start);
        values.push_back(line.substr(start, at == String::npos ? String::npos : at - start));
        if (at == String::npos) break;
        start = at + 1;
    }
    return values;
}

using TReason = EUserFileError::TReason;

// The table's loader would take a line with more values than name and lesson, or a name longer
// than its field, and the next save would write the line back cut; an unknown header would load
// every line without its values. Such a file is refused as a whole, before the table sees it.
// Answers whether the file has any line.
bool CheckListFile(const String& file) {
    TStringList lines;
    lines.LoadFromFile(file);
    if (lines.Count() == 0) return false;
    std::vector<String> header = LineValues(lines[0]);
    bool named = header.size() == 2 && ((SameText(header[0], "name") && SameText(header[1], "lesson")) ||
                                        (SameText(header[0], "lesson") && SameText(header[1], "name")));
    if (!named)
        throw EUserFileError(file, 1, TReason::BadHeader,
                             "The user list " + file + " does not begin with the line name,lesson");
    int nameAt = SameText(header[0], "name") ? 0 : 1;
    for (int i = 1; i < lines.Count(); ++i) {
        std::vector<String> values = LineValues(lines[i]);
        String where = Format("Line %d of the user list %s", {i + 1, file});
        if (values.size() > 2)
            throw EUserFileError(file, i + 1, TReason::TooManyValues,
                                 where + " holds more values than a name and a lesson");
        if (values.size() > std::size_t(nameAt) && values[std::size_t(nameAt)].size() > NameSize)
            throw EUserFileError(file, i + 1, TReason::NameTooLong,
                                 where + Format(" holds a name longer than %d characters", {NameSize}));
        std::size_t lessonAt = std::size_t(1 - nameAt);
        int lesson;
        if (values.size() > lessonAt && !values[lessonAt].empty() && !TryStrToInt(values[lessonAt], lesson))
            throw EUserFileError(file, i + 1, TReason::LessonNotNumber,
                                 where + " holds the lesson \"" + values[lessonAt] + "\", which is not a number");
    }
    return true;
}

// A write to one of the store's files; a failure is told as that file's.
template <class Write>
void WriteTo(const String& file, Write write) {
    try {
        write();
    } catch (const EUserFileError&) {
        throw;
    } catch (const Exception& e) {
        throw EUserFileError(file, 0, TReason::Unwritable, e.Message());
    }
}

// A name the list file can hold and give back unchanged.
void CheckStorableName(const String& name) {
    if (name.find_first_of(",\r\n") != String::npos)
        throw Exception("A user name cannot hold a comma or a line break: " + name);
    if (name.size() > NameSize) throw Exception(Format("A user name cannot be longer than %d characters", {NameSize}));
}

// One user, as the list and the records tell them apart: blanks around the name and letter case
// aside. The list box's exact find ignores case, and the records' reader drops the blanks.
bool SameUserName(const String& a, const String& b) { return AnsiCompareText(Trim(a), Trim(b)) == 0; }

int RecordCount(const TCustomIniFile& ini) { return std::max(0, ini.ReadInteger("Results", "Count", 0)); }

}  // namespace

EUserFileError::EUserFileError(const String& file, int line, TReason reason, const String& message)
    : Exception(message), File(file), Line(line), Reason(reason) {}

// Short enough for a line of the message form each, and without a sign at either end, which
// the reading order of a line would move to the wrong side.
std::array<String, 4> EUserFileError::MessageLines(bool arabic) const {
    const bool reading = Reason != TReason::Unwritable && Reason != TReason::Full;
    auto text = [arabic](const char* english, const String& arabicText) { return arabic ? arabicText : String(english); };
    String why;
    switch (Reason) {
    case TReason::BadHeader: why = text("Line 1 is not name,lesson", "السطر 1 ليس name,lesson"_a); break;
    case TReason::TooManyValues: why = Format(text("Line %d has too many commas", "في السطر %d فواصل زائدة"_a), {Line}); break;
    case TReason::NameTooLong: why = Format(text("The name on line %d is too long", "الاسم في السطر %d طويل جداً"_a), {Line}); break;
    case TReason::LessonNotNumber:
        why = Format(text("Line %d: the lesson is no number", "رقم الدرس في السطر %d غير صحيح"_a), {Line});
        break;
    case TReason::Unreadable: why = text("The file cannot be opened", "تعذّر فتح الملف"_a); break;
    case TReason::Unwritable: why = text("The file cannot be written", "تعذّرت الكتابة في الملف"_a); break;
    case TReason::Full: why = text("It cannot take another user", "لا يتّسع لمستخدم آخر"_a); break;
    }
    // the second line is the message form's right-to-left one: the reason, which may mix a
    // number into Arabic words
    return {reading ? text("A user file could not be read", "تعذّرت قراءة ملف المستخدمين"_a)
                    : text("A user file could not be saved", "تعذّر الحفظ في ملف المستخدمين"_a),
            why, "Data\\" + ExtractFileName(File), text("The file was left as it is", "تُرك الملف كما هو دون تغيير"_a)};
}

TStudentsForm::TStudentsForm(TComponent* owner) : TForm(owner) {
    BuildLayout();
    OnCreate = [this](TObject* s) { FormCreate(s); };
}

TStudentsForm::~TStudentsForm() = default;

void TStudentsForm::BuildLayout() {
    SetUpScreenForm(this, "StudentsForm", 792, 566, poScreenCenter);

    FStudentsTable = std::make_unique<TMemData>("StudentsTable");
    StudentsTable = FStudentsTable.get();
    auto* name = new TStringField();
    name->SetFieldName("name");
    name->SetSize(NameSize);
    name->SetDataSet(StudentsTable);
    auto* lesson = new TIntegerField();
    lesson->SetFieldName("lesson");
    lesson->SetDataSet(StudentsTable);
    StudentsTable->SetSortedField("Name");

    FileListbox = new TCoolListBox(this);
    FileListbox->BeginLoading();
    FileListbox->SetName("FileListbox");
    FileListbox->SetParent(this);
    FileListbox->SetBounds(16, 16, 200, 300);
    FileListbox->EndLoading();

    auto edit = [this](const char* name, int top, const String& text) {
        auto* e = new TEdit(this);
        e->SetName(name);
        e->SetParent(this);
        e->SetBounds(240, top, 300, 24);
        e->SetText(text);
        return e;
    };
    UserNameEdit = edit("UserNameEdit", 16, "NoUserName");
    GoalEdit = edit("GoalEdit", 48, "");
    PasswordEdit = edit("PasswordEdit", 80, "");
    NewPasswordEdit = edit("NewPasswordEdit", 112, NoPassword);
    ConfirmNewPasswordEdit = edit("ConfirmNewPasswordEdit", 144, NoPassword);

    NewPasswordCancelBtn_ = new TCheckBox(this);
    NewPasswordCancelBtn_->SetName("NewPasswordCancelBtn_");
    NewPasswordCancelBtn_->SetParent(this);
    NewPasswordCancelBtn_->SetBounds(240, 176, 300, 24);
    NewPasswordCancelBtn_->SetCaption("Enter without password");

    ImageList1 = new TImageList(this);
}

void TStudentsForm::FormCreate(TObject*) {
    SetCaption(Application->Title());
    AppDir = ProgramFolder(ProgramFileName());
    FIcon = std::make_unique<TIcon>();
    FIcon->LoadFromFile(AppDir + "\\fixed.ico");
    ImageList1->AddIcon(FIcon.get());
    GoalEdit->SetText(IntToStr(UserGoal));
}

String TStudentsForm::ListFile() const { return AppDir + "\\Data\\" + "A" + "Students.txt"; }
String TStudentsForm::ResultsFile() const { return AppDir + "\\Data\\" + "A" + "Results.ini"; }

int TStudentsForm::NameIndex(const String& name) const {
    TStrings* names = FileListbox->Items();
    for (int i = 0; i < names->Count(); ++i)
        if (SameUserName((*names)[i], name)) return i;
    return -1;
}

void TStudentsForm::FillNameList() {
    TStrings* names = FileListbox->Items();
    names->BeginUpdate();
    names->Clear();
    TField* name = StudentsTable->FieldByName("name");
    for (StudentsTable->First(); !StudentsTable->Eof(); StudentsTable->Next()) names->Add(name->AsString());
    names->EndUpdate();
}

void TStudentsForm::RequireUserList() const {
    if (!FUsersRead) throw Exception("The user list " + ListFile() + " has not been read; the user store is left as it is");
}

void TStudentsForm::LoadStudents() {
    const String file = ListFile();
    FUsersRead = false;
    StudentsTable->TextDelimiter = ',';
    if (FileExists(file)) {
        try {
            // the table's loader keeps its records for a file without lines: an empty list
            // holds no users
            if (!CheckListFile(file)) StudentsTable->Close();
            StudentsTable->LoadFromDelimitedFile(file);
        } catch (const std::exception& e) {
            // nothing of an earlier load may be saved over the file the user has now
            FileListbox->Clear();
            StudentsTable->Close();
            if (dynamic_cast<const EUserFileError*>(&e)) throw;
            throw EUserFileError(file, 0, TReason::Unreadable, e.what());
        }
        StudentsTable->Open();
        FillNameList();
        Application->ProcessMessages();
    } else {
        FileListbox->Clear();
        FileListbox->Items()->Add("name,lesson");
        WriteTo(file, [&] { FileListbox->Items()->SaveToFile(file); });
        StudentsTable->LoadFromDelimitedFile(file);
        StudentsTable->Open();
        FileListbox->Clear();
    }
    FUsersRead = true;
}

void TStudentsForm::UpdateResults(const std::function<void()>& steps) {
    if (FResults) {   // part of the update under way
        steps();
        return;
    }
    FResults = std::make_unique<TMemIniFile>(ResultsFile());
    try {
        steps();
        SaveResults();
    } catch (...) {
        FResults.reset();
        throw;
    }
    FResults.reset();
}

TMemIniFile& TStudentsForm::Results() { return *FResults; }

void TStudentsForm::SaveResults() {
    WriteTo(ResultsFile(), [&] { FResults->UpdateFile(); });
}

int TStudentsForm::FindUserIndex(const String& name) {
    int found = 0;
    UpdateResults([&] {
        TMemIniFile& ini = Results();
        const int count = RecordCount(ini);
        if (count == 0) return;
        // Only sections that are there are records: a Count far beyond them costs nothing and a
        // missing section is nobody's.
        TStringList sections;
        ini.ReadSections(sections);
        std::set<int> present;
        for (int i = 0; i < sections.Count(); ++i) {
            const String& s = sections[i];
            if (s.size() < 5 || !SameText(s.substr(0, 4), "User")) continue;
            int n = StrToIntDef(s.substr(4), 0);
            if (n >= 1 && n <= count && IntToStr(n) == s.substr(4)) present.insert(n);
        }
        for (int n : present)
            if (SameUserName(ini.ReadString(Section(n), "Name", ""), name)) {
                found = n;
                return;
            }
    });
    return found;
}

// The section a new user's record takes: past Count, and never one that already names a user.
int TStudentsForm::NewRecordIndex() {
    TMemIniFile& ini = Results();
    int count = RecordCount(ini);
    if (count == INT_MAX)
        throw EUserFileError(ResultsFile(), 0, TReason::Full,
                             "The user records of " + ResultsFile() + " cannot take another user");
    int n = count + 1;
    while (n < INT_MAX && ini.ValueExists(Section(n), "Name")) ++n;
    return n;
}

void TStudentsForm::ReadStoredPassword(String& password) {
    password = NoPassword;
    UpdateResults([&] {
        int n = FindUserIndex(CurrentUser);
        if (n > 0) password = DecodePassword(Results().ReadString(Section(n), "Password", StoredPassword));
    });
}

void TStudentsForm::PasswordCancelBtnClick(TObject*) {
    UpdateResults([&] {
        String password;
        ReadStoredPassword(password);
        if (password != NoPassword) return;   // nobody is entered; the current user stays
        PasswordEdit->SetText("OpenAccess");
        NewPasswordEdit->SetText("OpenAccess");
        ConfirmNewPasswordEdit->SetText("OpenAccess");
        NewPasswordCancelBtn_->SetChecked(false);
        if (NewPasswordEdit->Text() == ConfirmNewPasswordEdit->Text() && !NewPasswordEdit->Text().empty()) {
            SaveNewPassword();
            PlayVoice("NewUser");
            EnterAsCurrentUser();
        }
    });
}

void TStudentsForm::SaveNewPassword() {
    RequireUserList();
    StoredPassword = NewPasswordEdit->Text();
    UpdateResults([&] {
        int n = FindUserIndex(UserNameEdit->Text());
        if (n == 0) {
            CheckStorableName(UserNameEdit->Text());
            n = NewRecordIndex();
        }
        Results().WriteString(Section(n), "Password", EncodePassword(StoredPassword));
    });
}

void TStudentsForm::EnterAsCurrentUser() {
    RequireUserList();
    CurrentUser = UserNameEdit->Text();
    const String t = Trim(CurrentUser);
    int at = NameIndex(t);
    if (at < 0) {
        CheckStorableName(CurrentUser);
        SetFirstVisitFlags(true);
        // the record reaches the disk before the list names the user: a kill between the two
        // leaves a record that the next entry finds and takes, not a listed user without one
        UpdateResults([&] {
            AddUserRecord();
            SaveResults();
        });
        CurrentLesson = 1;
        AddStudent(1);
        FillNameList();   // in the table's order, so that positions stay row numbers
        at = NameIndex(t);
        FileListbox->SetItemIndex(at);
        StudentsTable->SetRecNo(at + 1);
    } else {
        StudentsTable->SetRecNo(at + 1);
        TField* lesson = StudentsTable->FieldByName("lesson");
        CurrentLesson = lesson->IsNull() ? 1 : lesson->AsInteger();   // a line without its lesson starts at the first
        SaveUserGoal();
    }
}

void TStudentsForm::AddStudent(int lesson) {
    RequireUserList();
    StudentsTable->Open();
    const String text = UserNameEdit->Text();
    if (NameIndex(text) >= 0) {
        MainFrm->ShowMessageText(InterfaceLanguage == "A" ? "الاسم موجود نرجو اعادة التسمية"_a
                                                          : "Name Is Already Existed .. Please Rename");
        return;
    }
    CheckStorableName(text);
    StudentsTable->Insert();
    StudentsTable->FieldByName("name")->SetAsString(text);
    StudentsTable->FieldByName("lesson")->SetAsInteger(lesson);
    StudentsTable->Post();
    StudentsTable->TextDelimiter = ',';
    WriteTo(ListFile(), [&] { StudentsTable->SaveToDelimitedFile(ListFile()); });
}

void TStudentsForm::AddUserRecord() {
    RequireUserList();
    const String text = UserNameEdit->Text();
    if (NameIndex(text) >= 0) return;
    UpdateResults([&] {
        TMemIniFile& ini = Results();
        RunResults.TotalTypingSeconds = 0;
        UserGoal = StrToIntDef(GoalEdit->Text(), UserGoal);
        // A record of the name without a line in the list (the list was lost, or an entry ended
        // between the two saves) is the user's: taken again, never doubled.
        if (int known = FindUserIndex(text)) {
            ini.WriteInteger(Section(known), "Goal", UserGoal);
            return;
        }
        const int n = NewRecordIndex();
        ini.WriteInteger("Results", "Count", n);
        const String s = Section(n);
        ini.WriteString(s, "Name", text);
        ini.WriteInteger(s, "Goal", UserGoal);
        ini.WriteInteger(s, "WPM", 0);
        ini.WriteInteger(s, "AWPM", 0);
        ini.WriteInteger(s, "Time", 0);
        ini.WriteString(s, "CChars", "\"0\"");
        ini.WriteString(s, "WChars", "\"0\"");
    });
}

void TStudentsForm::SaveUserGoal() {
    RequireUserList();
    UpdateResults([&] {
        int n = FindUserIndex(CurrentUser);
        if (n == 0) return;
        UserGoal = StrToIntDef(GoalEdit->Text(), UserGoal);
        Results().WriteInteger(Section(n), "Goal", UserGoal);
    });
}

void TStudentsForm::StoreUserLesson(int lesson) {
    const int at = NameIndex(Trim(UserNameEdit->Text()));
    if (!FUsersRead || at < 0 || lesson < 1) return;
    try {
        StudentsTable->SetRecNo(at + 1);
        StudentsTable->Edit();
        StudentsTable->FieldByName("Lesson")->SetAsInteger(lesson);
        StudentsTable->Post();
        StudentsTable->TextDelimiter = ',';
        StudentsTable->SaveToDelimitedFile(ListFile());
    } catch (const std::exception& e) {
        MainFrm->ShowMessageText((InterfaceLanguage != "A" ? String("The lesson you reached could not be saved: ")
                                                           : "تعذر حفظ الدرس الذي وصلت إليه: "_a) +
                                 e.what());
    }
}

void TStudentsForm::CreateResultsFile() {
    UpdateResults([&] { Results().WriteInteger("Results", "Count", 0); });
}

void TStudentsForm::ReloginCurrentUser() {
    UpdateResults([&] {
        if (!FileExists(ResultsFile())) CreateResultsFile();
        NewPasswordEdit->SetText(PasswordEdit->Text());
        LoadStudents();
        if (NameIndex(CurrentUser) < 0) {
            SaveNewPassword();
            // the record first, as for a new user's entry
            AddUserRecord();
            SaveResults();
            AddStudent(1);
            FillNameList();
        } else {
            EnterAsCurrentUser();
        }
    });
}

String TStudentsForm::EncodePassword(const String& text) { return Encrypt::EncodePassword(text); }
String TStudentsForm::DecodePassword(const String& hex) { return Encrypt::DecodePassword(hex); }

void TStudentsForm::SetFirstVisitFlags(bool value) {
    MainFrm->FirstVisit = value;
    BeginnerForm->FirstVisit = value;
    ClassForm->FirstVisit = value;
    LessonsForm->FirstVisit = value;
    LevelForm->FirstVisit = value;
    GameForm->FirstVisit = value;
    SpeedForm->FirstVisit = value;
    ResultsForm->FirstVisit = value;
    OptionForm->FirstVisit = value;
}

void TStudentsForm::PlayVoice(const String& name) {
    MainFrm->PlaySoundEffect(name + (InterfaceLanguage == "A" ? "A" : "E"));
}
