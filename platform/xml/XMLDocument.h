#pragma once
// An XML document of the system's XML parser (its DOMDocument object): parse a text or a file,
// transform it with a style sheet. Calls the parser answers with a failure raise EOleSysError.
#include <memory>
#include "platform/rtl/String.h"

struct IXMLDOMDocument;

struct TXMLParseError {
    long ErrorCode = 0;   // 0: no error
    String Reason;
    long Line = 0;
    long LinePos = 0;
};

class TXMLDocument {
public:
    TXMLDocument();   // EOleSysError when the parser cannot be created
    ~TXMLDocument();
    TXMLDocument(const TXMLDocument&) = delete;
    TXMLDocument& operator=(const TXMLDocument&) = delete;

    // The parser's own answer: false for a text or file it could not parse (see ParseError).
    bool LoadXML(const WideString& text);
    bool Load(const String& fileName);   // synchronous
    TXMLParseError ParseError() const;
    // The document transformed by the style sheet, as the parser writes it (UTF-16).
    WideString TransformNode(const TXMLDocument& styleSheet) const;
    WideString Xml() const;

private:
    IXMLDOMDocument* FDocument = nullptr;
};
