#pragma once
// User labels: tags of a display line that either set the line's alignment or
// are replaced by a text (the registered owner or organization, the
// application title, today's date, the time of day, or a text of the label's
// own). A collection resolves the labels of a line in its own order, so a
// text inserted for one label is searched by the labels after it.

#include <QDateTime>
#include <QLocale>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "effecttext/aa_types.h"
#include "fadetext/label_collection.h"
#include "fadetext/registered_owner.h"

namespace caici {

enum class TLabelStyle : std::uint8_t {
    lsLeftJustify = 0,
    lsCenter = 1,
    lsRightJustify = 2,
    lsRegOwner = 3,
    lsRegOrganization = 4,
    lsAppTitle = 5,
    lsDate = 6,
    lsTime = 7,
    lsCustom = 8,
};

class TCnUserLabel;
class TCnUserLabels;

// May replace the substitution text that a label has worked out.
using TGetTextEvent = std::function<void(const TCnUserLabel& sender, std::string& text)>;

// The moment that date and time labels show; tests fix it.
using LabelClock = std::function<QDateTime()>;

class TCnUserLabel : public LabelItem<TCnUserLabels> {
public:
    // An item belongs to the collection that creates it; one made without a
    // collection stands alone (no notification, no name check, empty owner).
    explicit TCnUserLabel(TCnUserLabels* collection = nullptr);

    // The read side of Text: the substitution text.
    std::string Text() const { return GetText(); }
    // Stored only for lsCustom; ignored for every other style.
    void SetText(const std::string& value);
    // The label's own text whatever its style (what a window definition saves).
    const std::string& CustomText() const { return text_; }
    TLabelStyle Style() const { return style_; }
    void SetStyle(TLabelStyle value);
    const TGetTextEvent& OnGetText() const { return onGetText_; }
    void SetOnGetText(TGetTextEvent value) { onGetText_ = std::move(value); }

    std::string GetText() const;

    // Copies Name (unchecked), Text, OnGetText and Style; reports nothing.
    void CopyFrom(const TPersistent* source) override;
    const char* ClassName() const override { return "TCnUserLabel"; }

private:
    friend class TCnUserLabels;

    std::string text_;
    TLabelStyle style_ = TLabelStyle::lsCustom;
    TGetTextEvent onGetText_;
};

class TCnUserLabels : public LabelCollection<TCnUserLabels, TCnUserLabel> {
public:
    // The registered owner and organization are read once, here.
    explicit TCnUserLabels(TNotifyEvent onChange = {},
                           RegisteredOwner registered = readRegisteredOwner(systemOwnerSources()));
    ~TCnUserLabels() override;

    // Adds a label with these values, or returns nullptr and adds nothing
    // when a label of that name exists. Notifies once, for the addition.
    TCnUserLabel* AddUserLabel(const std::string& name, const std::string& text, TLabelStyle style);
    // Removes the first tag of each label, in collection order; alignment
    // labels set alignment, the others insert their text where the tag stood.
    void ApplyLabelTags(std::string& line, TAlignment& alignment) const;

    const std::string& RegOwner() const { return registered_.owner; }
    const std::string& RegOrganization() const { return registered_.organization; }

    const LabelClock& Clock() const { return clock_; }
    void SetClock(LabelClock value) { clock_ = std::move(value); }

    const char* ClassName() const override { return "TCnUserLabels"; }

private:
    RegisteredOwner registered_;
    LabelClock clock_;
};

// Adds the usual eight labels: Left, Center, Right, Owner, Organization,
// AppTitle, Date, Time, each with its style and an empty text.
void addDefaultLabels(TCnUserLabels& labels);

// The alignment that an alignment style sets; nothing for the text styles.
std::optional<TAlignment> alignmentOfStyle(TLabelStyle style);

// Today's date in the locale's short date format.
std::string shortDateText(const QLocale& locale, const QDate& date);
// The time of day in the locale's long time format, seconds included; the
// time zone that the long format may add is left out.
std::string longTimeText(const QLocale& locale, const QTime& time);

}  // namespace caici
