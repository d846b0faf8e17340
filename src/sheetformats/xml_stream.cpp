#include "sheetformats/xml_stream.h"

#include "sheetformats/read_refused.h"
#include "sheetformats/zip_package.h"

#include <expat.h>

#include <cstring>
#include <exception>

namespace caici::sheets {
namespace {

// Separates a namespace URI from the local name; no URI can hold it.
constexpr char kSeparator = '\x01';
// Deeper nesting than any spreadsheet part has.
constexpr int kMaxDepth = 256;

struct Name {
    std::string_view ns;
    std::string_view local;
};

Name split(const char* full) {
    const std::string_view name(full);
    const auto mark = name.find(kSeparator);
    if (mark == std::string_view::npos) return {{}, name};
    return {name.substr(0, mark), name.substr(mark + 1)};
}

struct ParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

}  // namespace

std::optional<std::string_view> XmlAttributes::find(std::string_view ns, std::string_view name) const {
    for (const char** pair = pairs_; *pair != nullptr; pair += 2) {
        const Name attribute = split(pair[0]);
        if (attribute.local == name && attribute.ns == ns) return std::string_view(pair[1]);
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
            const Name element = split(name);
            state.handler.start(element.ns, element.local, XmlAttributes(attributes));
        });
    }
    static void onEnd(void* data, const char* name) {
        guard(data, [&](State& state) {
            --state.depth;
            const Name element = split(name);
            state.handler.end(element.ns, element.local);
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
    state_->parser.reset(XML_ParserCreateNS("UTF-8", kSeparator));
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
