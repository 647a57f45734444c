#pragma once
// The user store's form: never shown. It holds the user list (Data\AStudents.txt) and the user
// records (Data\AResults.ini), and enters the user of its name box on every activation of the
// main menu.
#include <array>
#include <functional>
#include <memory>
#include "controls/CoolCtrls.h"
#include "memdata/MemData.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/ImageList.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Forms.h"

// A user file the store cannot use: which file, which line of it (0: the file as a whole) and
// why. The message (English) is for the error log; MessageLines tell the user.
class EUserFileError : public Exception {
public:
    enum class TReason { BadHeader, TooManyValues, NameTooLong, LessonNotNumber, Unreadable, Unwritable, Full };
    EUserFileError(const String& file, int line, TReason reason, const String& message);
    String File;
    int Line;
    TReason Reason;
    // Four lines for the message form, in the interface language: what failed, why, the file,
    // and that the file was left as it is.
    std::array<String, 4> MessageLines(bool arabic) const;
};

class TMemIniFile;

class TStudentsForm : public TForm {
public:
    explicit TStudentsForm(TComponent* owner);
    ~TStudentsForm() override;

    // The list file, sorted by name; FileListbox holds its names in the same order, so the row
    // of a user is its position in the list plus one.
    TMemData* StudentsTable = nullptr;
    TCoolListBox* FileListbox = nullptr;
    TEdit* UserNameEdit = nullptr;
    TEdit* GoalEdit = nullptr;
    TEdit* PasswordEdit = nullptr;
    TEdit* NewPasswordEdit = nullptr;
    TEdit* ConfirmNewPasswordEdit = nullptr;
    TCheckBox* NewPasswordCancelBtn_ = nullptr;
    TImageList* ImageList1 = nullptr;

    void FormCreate(TObject* sender);
    // Raises EUserFileError when the list file cannot be read as a user list; the files stay as
    // they are, the table and the name list are emptied, and nothing is written to the store
    // until a load succeeds. Every step below raises it for a file it cannot write.
    void LoadStudents();
    bool UsersRead() const { return FUsersRead; }   // the last LoadStudents succeeded
    // Runs steps of the store as one update of the results file: they read and write one copy
    // held in memory, written back in one replacement at the end (and before the list file is
    // saved after a new record), so that a kill leaves the old records or the new, never a mix.
    // A step that raises writes nothing more. Each step below runs in an update of its own
    // unless it is called inside one.
    void UpdateResults(const std::function<void()>& steps);
    void PasswordCancelBtnClick(TObject* sender);   // the automatic entry
    void ReloginCurrentUser();                      // after a change of the interface language
    void CreateResultsFile();                       // [Results] Count=0, no user yet
    void EnterAsCurrentUser();
    void SaveNewPassword();
    void ReadStoredPassword(String& password);
    void AddStudent(int lesson);
    void AddUserRecord();
    int FindUserIndex(const String& name);          // [User<n>] of the name, 0 when none
    void SaveUserGoal();
    // The lesson the user in the name box reached, into the user list file: only when the list was
    // read and names the user, since anything else would change another user's line or empty the
    // file. A file that cannot be written is told in the message form; the program goes on.
    void StoreUserLesson(int lesson);
    String EncodePassword(const String& text);
    String DecodePassword(const String& hex);
    void SetFirstVisitFlags(bool value);
    void PlayVoice(const String& name);

    String ListFile() const;
    String ResultsFile() const;
    // Position of the name in FileListbox, blanks around it and letter case aside; -1 when absent.
    int NameIndex(const String& name) const;

private:
    void BuildLayout();
    void FillNameList();
    void RequireUserList() const;
    int NewRecordIndex();
    TMemIniFile& Results();   // the copy of the update under way
    void SaveResults();

    std::unique_ptr<TMemData> FStudentsTable;
    std::unique_ptr<TIcon> FIcon;
    bool FUsersRead = false;   // the last LoadStudents succeeded
    std::unique_ptr<TMemIniFile> FResults;
};

extern TStudentsForm* StudentsForm;
