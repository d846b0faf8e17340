#include "fadetext/user_labels.h"

#include <QGuiApplication>

#include "fadetext/markup_tags.h"

namespace caici {

void addDefaultLabels(TCnUserLabels& labels) {
    labels.AddUserLabel("Left", "", TLabelStyle::lsLeftJustify);
    labels.AddUserLabel("Center", "", TLabelStyle::lsCenter);
    labels.AddUserLabel("Right", "", TLabelStyle::lsRightJustify);
    labels.AddUserLabel("Owner", "", TLabelStyle::lsRegOwner);
    labels.AddUserLabel("Organization", "", TLabelStyle::lsRegOrganization);
    labels.AddUserLabel("AppTitle", "", TLabelStyle::lsAppTitle);
    labels.AddUserLabel("Date", "", TLabelStyle::lsDate);
    labels.AddUserLabel("Time", "", TLabelStyle::lsTime);
}

std::optional<TAlignment> alignmentOfStyle(TLabelStyle style) {
    switch (style) {
    case TLabelStyle::lsLeftJustify:
        return TAlignment::taLeftJustify;
    case TLabelStyle::lsCenter:
        return TAlignment::taCenter;
    case TLabelStyle::lsRightJustify:
        return TAlignment::taRightJustify;
    default:
        return std::nullopt;
    }
}

std::string shortDateText(const QLocale& locale, const QDate& date) {
    return locale.toString(date, QLocale::ShortFormat).toStdString();
}

std::string longTimeText(const QLocale& locale, const QTime& time) {
    // Drop the unquoted time-zone letters ('t') of the pattern and the blanks
    // around them; quoted literal text is kept as it is.
    const QString pattern = locale.timeFormat(QLocale::LongFormat);
    QString kept;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
        }
        if (!quoted && c == QLatin1Char('t')) {
            while (!kept.isEmpty() && kept.back().isSpace()) {
                kept.chop(1);
            }
            while (i + 1 < pattern.size() && (pattern[i + 1] == QLatin1Char('t') || pattern[i + 1].isSpace())) {
                ++i;
            }
            if (!kept.isEmpty() && i + 1 < pattern.size()) {
                kept += QLatin1Char(' ');
            }
            continue;
        }
        kept += c;
    }
    return locale.toString(time, kept.trimmed()).toStdString();
}

TCnUserLabel::TCnUserLabel(TCnUserLabels* collection) : LabelItem(collection) {}

void TCnUserLabel::SetText(const std::string& value) {
    if (style_ != TLabelStyle::lsCustom || value == text_) {
        return;
    }
    text_ = value;
    changed();
}

void TCnUserLabel::SetStyle(TLabelStyle value) {
    if (value == style_) {
        return;
    }
    style_ = value;
    changed();
}

std::string TCnUserLabel::GetText() const {
    std::string text;
    const auto now = [this] {
        return collection_ != nullptr && collection_->Clock() ? collection_->Clock()()
                                                              : QDateTime::currentDateTime();
    };
    switch (style_) {
    case TLabelStyle::lsLeftJustify:
    case TLabelStyle::lsCenter:
    case TLabelStyle::lsRightJustify:
        break;
    case TLabelStyle::lsRegOwner:
        text = collection_ != nullptr ? collection_->RegOwner() : std::string();
        break;
    case TLabelStyle::lsRegOrganization:
        text = collection_ != nullptr ? collection_->RegOrganization() : std::string();
        break;
    case TLabelStyle::lsAppTitle:
        text = QGuiApplication::applicationDisplayName().toStdString();
        break;
    case TLabelStyle::lsDate:
        text = shortDateText(QLocale::system(), now().date());
        break;
    case TLabelStyle::lsTime:
        text = longTimeText(QLocale::system(), now().time());
        break;
    case TLabelStyle::lsCustom:
        text = text_;
        break;
    }
    if (onGetText_) {
        onGetText_(*this, text);
    }
    return text;
}

void TCnUserLabel::CopyFrom(const TPersistent* source) {
    const auto& label = sameClassSource<TCnUserLabel>(source);
    name_ = label.name_;
    text_ = label.text_;
    onGetText_ = label.onGetText_;
    style_ = label.style_;
}

TCnUserLabels::TCnUserLabels(TNotifyEvent onChange, RegisteredOwner registered)
    : LabelCollection(std::move(onChange)), registered_(std::move(registered)) {}

TCnUserLabels::~TCnUserLabels() = default;

TCnUserLabel* TCnUserLabels::AddUserLabel(const std::string& name, const std::string& text,
                                          TLabelStyle style) {
    if (IndexOf(name) >= 0) {
        return nullptr;
    }
    TCnUserLabel& label = Add();
    label.name_ = name;
    label.text_ = text;
    label.style_ = style;
    return &label;
}

void TCnUserLabels::ApplyLabelTags(std::string& line, TAlignment& alignment) const {
    for (const auto& label : itemsInOrder()) {
        const auto position = findTag(line, label->name_);
        if (!position) {
            continue;
        }
        eraseTag(line, *position, label->name_);
        if (const auto aligned = alignmentOfStyle(label->style_)) {
            alignment = *aligned;
        } else {
            line.insert(*position, label->GetText());
        }
    }
}

}  // namespace caici
