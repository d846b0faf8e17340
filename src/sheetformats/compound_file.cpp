#include "sheetformats/compound_file.h"

#include "common/ascii.h"
#include "sheetformats/read_refused.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input.h>

#include <algorithm>

namespace caici::sheets {
namespace {

struct ObjectUnref {
    void operator()(void* object) const { g_object_unref(object); }
};
template <class T>
using GsfPointer = std::unique_ptr<T, ObjectUnref>;

struct ErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t at = 0; at < a.size(); ++at) {
        if (asciiLower(a[at]) != asciiLower(b[at])) return false;
    }
    return true;
}

}  // namespace

struct CompoundFile::Handles {
    GsfPointer<GsfInput> input;
    GsfPointer<GsfInfile> root;

    // The child of that name, or null.
    GsfPointer<GsfInput> child(std::string_view name) const {
        const int count = gsf_infile_num_children(root.get());
        for (int at = 0; at < count; ++at) {
            const char* childName = gsf_infile_name_by_index(root.get(), at);
            if (childName != nullptr && sameName(childName, name)) {
                return GsfPointer<GsfInput>(gsf_infile_child_by_index(root.get(), at));
            }
        }
        return nullptr;
    }
};

CompoundFile::CompoundFile(std::string_view bytes) : handles_(std::make_unique<Handles>()) {
    // The memory input borrows the bytes, which outlive this object's use.
    handles_->input.reset(gsf_input_memory_new(reinterpret_cast<const guint8*>(bytes.data()),
                                               static_cast<gsf_off_t>(bytes.size()), FALSE));
    if (!handles_->input) damaged("cannot read the compound file");
    GError* error = nullptr;
    handles_->root.reset(gsf_infile_msole_new(handles_->input.get(), &error));
    const std::unique_ptr<GError, ErrorFree> owned(error);
    if (!handles_->root) damaged("not a compound file");
}

CompoundFile::~CompoundFile() = default;

bool CompoundFile::has(std::string_view name) const {
    return handles_->child(name) != nullptr;
}

std::optional<std::string> CompoundFile::stream(std::string_view name) const {
    const GsfPointer<GsfInput> child = handles_->child(name);
    if (!child) return std::nullopt;
    const gsf_off_t size = gsf_input_size(child.get());
    // A stream is made of the file's sectors; one larger than any file the
    // reader takes has a forged size.
    if (size < 0 || static_cast<std::uint64_t>(size) > readerstream::kMaxFileBytes) {
        damaged("a stream is larger than the file");
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    constexpr std::size_t kPortion = 64 * 1024;
    for (std::size_t done = 0; done < bytes.size();) {
        const std::size_t want = std::min(kPortion, bytes.size() - done);
        if (gsf_input_read(child.get(), want, reinterpret_cast<guint8*>(bytes.data() + done)) == nullptr) {
            damaged("a stream cannot be read to its end");
        }
        done += want;
    }
    return bytes;
}

}  // namespace caici::sheets
