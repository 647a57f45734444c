// TWebView: media of a page that the host holds (pictures, videos, background sounds), written
// into numbered work files, and the clean-up of page and work files.
#include <algorithm>
#include <cstring>
#include <vector>
#include "WebView.h"
#include "platform/rtl/SysUtils.h"
#include "platform/web/WebFiles.h"

void TWebView::FetchPageMedia() {
    if (!FDocument || !FBody) return;
    if (!FPendingText.empty()) RestorePendingText();
    FVideoCount = 0;
    FImageCount = 0;
    auto all = FDocument->All();
    if (!all) return;
    // the length is read afresh: the page may change under the host's handlers
    for (int i = 0; i < all->Length(); ++i) {
        auto item = all->Item(i);
        if (!item) continue;
        if (auto sound = item->AsBGSound()) CheckBackgroundSound(*sound);
        if (auto img = item->AsImage()) {
            if (!img->Dynsrc().empty()) FetchVideo(*img);
            if (img->Dynsrc().empty()) FetchImage(*img, img);
        }
    }
}

void TWebView::FetchImage(web::THtmlImage& img, const std::shared_ptr<web::THtmlImage>& element) {
    ++FImageCount;
    const String source = FromWide(img.Src());
    if (FileExists(source) || !OnImage) return;
    const String name = OfferMedia(source, FImageCount, ".bmp",
                                   [&](char*& src, int& cbSize) { OnImage(EventSender, src, cbSize, element); });
    if (FileExists(name)) img.SetSrc(ToWide(name));
}

void TWebView::FetchVideo(web::THtmlImage& img) {
    ++FVideoCount;
    const String source = FromWide(img.Dynsrc());
    if (FileExists(source) || !OnAVI) return;
    const String name = OfferMedia(source, FVideoCount, ".avi", [&](char*& src, int& cbSize) { OnAVI(EventSender, src, cbSize); });
    if (FileExists(name)) img.SetDynsrc(ToWide(name));
}

String TWebView::OfferMedia(const String& source, int number, const char* extension,
                            const std::function<void(char*& src, int& cbSize)>& raise) {
    // room for MemBufferSize bytes and a terminator, and always for the source itself
    const std::size_t room = std::max<std::size_t>(std::size_t(std::max(FMemBufferSize, 0)), source.size());
    std::vector<char> buffer(room + 1, '\0');
    std::memcpy(buffer.data(), source.data(), source.size());
    char* src = buffer.data();
    int cbSize = 0;
    raise(src, cbSize);
    if (!src) return String();
    const bool ours = src == buffer.data();
    if (cbSize <= 0) {
        // a file name, read no further than the buffer goes
        return ours ? String(src, strnlen(src, buffer.size())) : String(src);
    }
    const std::size_t size = ours ? std::min(std::size_t(cbSize), room) : std::size_t(cbSize);
    const String name = WorkFileName(MediaFolder(), number, extension);
    SaveBufferToFile(name, std::string(src, size));
    return name;
}

String TWebView::WorkFileName(const String& folder, int number, const char* extension) const {
    return folder + FSlashCharacter + "~Temp" + IntToStr(number) + extension;
}

// The folder part of a fresh page file name, up to its last backslash or colon, without that
// backslash unless it follows a colon or another backslash. With '/' as SlashCharacter that is
// the folder above the Windows folder.
String TWebView::MediaFolder() {
    String name = MakeTempFileName();
    std::size_t i = name.find_last_of("\\:");
    if (i == String::npos) return String();
    std::size_t len = i + 1;
    if (name[i] == '\\' && i > 0 && name[i - 1] != ':' && name[i - 1] != '\\') --len;
    return name.substr(0, len);
}

void TWebView::SaveBufferToFile(const String& fileName, const std::string& bytes) {
    if (FileExists(fileName) && !RemoveFile(fileName)) return;
    WriteFileBytes(fileName, bytes);
}

void TWebView::CheckBackgroundSound(web::THtmlBGSound& sound) {
    const String source = FromWide(sound.Src());
    if (!FileExists(source) && OnBGSound) OnBGSound(EventSender, source);
}

void TWebView::DeleteTempFiles() {
    const std::vector<String> files = FTempFiles;
    for (const String& name : files) {
        if (FileExists(name)) RemoveFile(name);
        String xml = ChangeFileExt(name, ".xml");
        if (FileExists(xml)) RemoveFile(xml);
    }
    if (FImageCount == 0 && FVideoCount == 0) return;
    // the numbers of the last walk only: higher numbers of an earlier walk stay
    const String folder = MediaFolder();
    for (int n = 1; n <= FImageCount; ++n) {
        String f = WorkFileName(folder, n, ".bmp");
        if (FileExists(f)) RemoveFile(f);
    }
    for (int n = 1; n <= FVideoCount; ++n) {
        String f = WorkFileName(folder, n, ".avi");
        if (FileExists(f)) RemoveFile(f);
    }
}
