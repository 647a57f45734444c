#pragma once
// The object assistant pages reach as window.external: their character's calls, handed to the
// character window (CharacterWindow.h).
//     Show()  Hide()  MoveTo(x, y)  Play(animation)  Speak(words[, soundFile])  Language (read)
// A page keeps its story as character lines (CharacterScript.h), one block for each interface
// language, in script elements of a type no engine runs, with the id "Character" followed by the
// language's letter. With an HTML engine the page's own script reads the block and makes these
// calls; without one the host reads the block from the rendered document and plays it itself.
#include <oaidl.h>
#include "platform/web/CharacterWindow.h"
#include "platform/web/HtmlDom.h"

namespace web {

class TCharacterHost final : public IDispatch {
public:
    enum TDispIds : DISPID { DispShow = 1, DispHide, DispMoveTo, DispPlay, DispSpeak, DispLanguage };

    TCharacterHost();   // one reference, the creator's
    TCharacterHost(const TCharacterHost&) = delete;
    TCharacterHost& operator=(const TCharacterHost&) = delete;

    TCharacterWindow& Character() { return FCharacter; }
    // The interface language's letter, which names the block a page plays.
    const WideString& Language() const { return FLanguage; }
    void SetLanguage(const WideString& value) { FLanguage = value; }
    // Where a sound file named without a folder is found.
    const String& SoundFolder() const { return FSoundFolder; }
    void SetSoundFolder(const String& value) { FSoundFolder = value; }

    // What was playing stops and the block of the language plays. False, with nothing played,
    // when the document has no such block or its lines are not well formed (error tells why).
    bool PlayDocument(THtmlDocument& document, std::string* error = nullptr);
    bool PlayLines(const WideString& lines, std::string* error = nullptr);
    // A sound file's full name: as given when it names its folder, else in SoundFolder.
    String SoundFile(const WideString& name) const;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: names without regard to case; a wrong number or kind of arguments is refused
    // as the dispatch rules say, and nothing is done.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispId, REFIID iid, LCID localeId, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) override;

private:
    ~TCharacterHost() = default;
    HRESULT Call(DISPID dispId, WORD flags, DISPPARAMS* params, VARIANT* result, UINT* argErr);
    void Queue(TCharacterRequest request);

    LONG FRefs = 1;
    TCharacterWindow FCharacter;
    WideString FLanguage = L"A";
    String FSoundFolder;
};

}  // namespace web
