#pragma once
// XML parts read as a stream of elements and text through expat, with
// namespaces resolved. A part that declares a document type is refused as
// xmlDeclarations before anything in it is used: no entity is ever expanded
// and nothing outside the file is ever fetched.
//
// Namespaces are resolved here rather than by expat, which would build a
// new name for every element and take half as long again over the large
// parts of a word library. A prefix means what its latest declaration says
// (spreadsheet parts declare theirs once, on the root).

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace caici::sheets {

class ZipPackage;

// An element's attributes; names are matched by namespace URI and local name.
class XmlNamespaces;

class XmlAttributes {
public:
    XmlAttributes(const char** pairs, const XmlNamespaces& namespaces) : pairs_(pairs), namespaces_(namespaces) {}
    std::optional<std::string_view> find(std::string_view ns, std::string_view name) const;
    // Every attribute in turn: its namespace, local name and value.
    void forEach(const std::function<void(std::string_view, std::string_view, std::string_view)>& visit) const;

private:
    const char** pairs_;
    const XmlNamespaces& namespaces_;
};

class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    virtual void start(std::string_view ns, std::string_view name, const XmlAttributes& attributes) = 0;
    virtual void end(std::string_view ns, std::string_view name) = 0;
    // Character data in portions (several may follow each other).
    virtual void text(std::string_view chars) = 0;
};

class XmlParser {
public:
    explicit XmlParser(XmlHandler& handler);
    ~XmlParser();
    XmlParser(const XmlParser&) = delete;
    XmlParser& operator=(const XmlParser&) = delete;

    // Parses the next portion; last ends the document. An exception thrown
    // by the handler passes on from here.
    void feed(std::string_view portion, bool last);

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Parses a whole part of the package; false when there is no such part.
bool parseXmlPart(ZipPackage& package, const std::string& name, XmlHandler& handler);

}  // namespace caici::sheets
