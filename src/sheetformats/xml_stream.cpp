#include "sheetformats/xml_stream.h"

#include "sheetformats/read_refused.h"
#include "sheetformats/zip_package.h"

#include <expat.h>

#include <cstring>
#include <exception>
#include <utility>
#include <vector>

namespace caici::sheets {
namespace {

// Deeper nesting than any spreadsheet part has.
constexpr int kMaxDepth = 256;

struct Name {
    std::string_view prefix;
    std::string_view local;
};

Name split(std::string_view name) {
    const auto colon = name.find(':');
    if (colon == std::string_view::npos) return {{}, name};
    return {name.substr(0, colon), name.substr(colon + 1)};
}

struct ParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

}  // namespace

// The declared prefixes and the default namespace.
class XmlNamespaces {
public:
    // Takes the declarations among an element's attributes.
    void declare(const char** pairs) {
        for (const char** pair = pairs; *pair != nullptr; pair += 2) {
            const char* name = pair[0];
            if (name[0] != 'x' || std::strncmp(name, "xmlns", 5) != 0) continue;
            if (name[5] == '\0') {
                default_ = pair[1];
            } else if (name[5] == ':') {
                bind(name + 6, pair[1]);
            }
        }
    }
    // The namespace of a prefix; unprefixed elements are in the default one,
    // unprefixed attributes in none.
    std::string_view resolve(std::string_view prefix, bool element) const {
        if (prefix.empty()) return element ? std::string_view(default_) : std::string_view();
        for (const auto& [bound, uri] : prefixes_) {
            if (bound == prefix) return uri;
        }
        return {};
    }

private:
    void bind(std::string_view prefix, std::string_view uri) {
        for (auto& [bound, known] : prefixes_) {
            if (bound == prefix) {
                known = uri;
                return;
            }
        }
        if (prefixes_.size() >= kMaxPrefixes) damaged("XML declares too many namespaces");
        prefixes_.emplace_back(prefix, uri);
    }

    static constexpr std::size_t kMaxPrefixes = 256;
    std::vector<std::pair<std::string, std::string>> prefixes_;
    std::string default_;
};

void XmlAttributes::forEach(
    const std::function<void(std::string_view, std::string_view, std::string_view)>& visit) const {
    for (const char** pair = pairs_; *pair != nullptr; pair += 2) {
        const Name attribute = split(pair[0]);
        visit(namespaces_.resolve(attribute.prefix, false), attribute.local, pair[1]);
    }
}

std::optional<std::string_view> XmlAttributes::find(std::string_view ns, std::string_view name) const {
    for (const char** pair = pairs_; *pair != nullptr; pair += 2) {
        const Name attribute = split(pair[0]);
        if (attribute.local == name && namespaces_.resolve(attribute.prefix, false) == ns) {
            return std::string_view(pair[1]);
        }
    }
    return std::nullopt;
}

struct XmlParser::State {
    XmlHandler& handler;
    std::unique_ptr<std::remove_pointer_t<XML_Parser>, ParserFree> parser;
    // Expat is C: nothing may unwind through it. A handler's exception is
    // kept, the parser stopped, and the exception thrown again by feed.
    std::exception_ptr failure;
    int depth = 0;
    XmlNamespaces namespaces;

    explicit State(XmlHandler& h) : handler(h) {}

    template <class Body>
    static void guard(void* data, Body&& body) {
        auto* state = static_cast<State*>(data);
        if (state->failure) return;
        try {
            body(*state);
        } catch (...) {
            state->failure = std::current_exception();
            XML_StopParser(state->parser.get(), XML_FALSE);
        }
    }

    static void onStart(void* data, const char* name, const char** attributes) {
        guard(data, [&](State& state) {
            if (++state.depth > kMaxDepth) damaged("XML nested too deeply");
            state.namespaces.declare(attributes);
            const Name element = split(name);
            state.handler.start(state.namespaces.resolve(element.prefix, true), element.local,
                                XmlAttributes(attributes, state.namespaces));
        });
    }
    static void onEnd(void* data, const char* name) {
        guard(data, [&](State& state) {
            --state.depth;
            const Name element = split(name);
            state.handler.end(state.namespaces.resolve(element.prefix, true), element.local);
        });
    }
    static void onText(void* data, const char* chars, int length) {
        guard(data, [&](State& state) { state.handler.text(std::string_view(chars, static_cast<std::size_t>(length))); });
    }
    static void onDoctype(void* data, const char*, const char*, const char*, int) {
        guard(data, [](State&) { refuse(Refusal::xmlDeclarations, "the XML declares a document type"); });
    }
    static void onEntity(void* data, const char*, int, const char*, int, const char*, const char*, const char*,
                         const char*) {
        guard(data, [](State&) { refuse(Refusal::xmlDeclarations, "the XML declares an entity"); });
    }
};

XmlParser::XmlParser(XmlHandler& handler) : state_(std::make_unique<State>(handler)) {
    state_->parser.reset(XML_ParserCreate("UTF-8"));
    if (!state_->parser) throw std::bad_alloc();
    XML_Parser parser = state_->parser.get();
    XML_SetUserData(parser, state_.get());
    XML_SetElementHandler(parser, &State::onStart, &State::onEnd);
    XML_SetCharacterDataHandler(parser, &State::onText);
    XML_SetStartDoctypeDeclHandler(parser, &State::onDoctype);
    XML_SetEntityDeclHandler(parser, &State::onEntity);
    XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
}

XmlParser::~XmlParser() = default;

void XmlParser::feed(std::string_view portion, bool last) {
    const XML_Status status = XML_Parse(state_->parser.get(), portion.data(), static_cast<int>(portion.size()),
                                        last ? XML_TRUE : XML_FALSE);
    if (state_->failure) std::rethrow_exception(state_->failure);
    if (status != XML_STATUS_OK) damaged(std::string("XML: ") + XML_ErrorString(XML_GetErrorCode(state_->parser.get())));
}

bool parseXmlPart(ZipPackage& package, const std::string& name, XmlHandler& handler) {
    XmlParser parser(handler);
    if (!package.read(name, [&](std::string_view portion) { parser.feed(portion, false); })) return false;
    parser.feed({}, true);
    return true;
}

}  // namespace caici::sheets
