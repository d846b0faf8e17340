#include "effecttext/user_labels.h"

#include <QGuiApplication>

#include "effecttext/markup_tags.h"

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

TCnUserLabel::TCnUserLabel(TCnUserLabels* collection) : collection_(collection) {}

void TCnUserLabel::changed() {
    if (collection_ != nullptr) {
        collection_->Changed();
    }
}

void TCnUserLabel::SetName(const std::string& value) {
    if (collection_ != nullptr && !value.empty() && !sameName(value, name_) &&
        collection_->IndexOf(value) >= 0) {
        throw EDuplicateString();
    }
    name_ = value;
    changed();
}

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

std::string TCnUserLabel::DisplayName() const { return name_.empty() ? ClassName() : name_; }

void TCnUserLabel::CopyFrom(const TPersistent* source) {
    const auto* label = dynamic_cast<const TCnUserLabel*>(source);
    if (label == nullptr) {
        AssignError(source);
    }
    name_ = label->name_;
    text_ = label->text_;
    onGetText_ = label->onGetText_;
    style_ = label->style_;
}

TCnUserLabels::TCnUserLabels(TNotifyEvent onChange, RegisteredOwner registered)
    : registered_(std::move(registered)), onChange_(std::move(onChange)) {}

TCnUserLabels::~TCnUserLabels() = default;

TCnUserLabel& TCnUserLabels::Items(int index) const {
    if (index < 0 || index >= Count()) {
        throwListIndex(index);
    }
    return *items_[static_cast<std::size_t>(index)];
}

TCnUserLabel& TCnUserLabels::Add() {
    items_.push_back(std::make_unique<TCnUserLabel>(this));
    Changed();
    return *items_.back();
}

void TCnUserLabels::Delete(int index) {
    Items(index);
    items_.erase(items_.begin() + index);
    Changed();
}

void TCnUserLabels::Clear() {
    if (items_.empty()) {
        return;
    }
    items_.clear();
    Changed();
}

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

int TCnUserLabels::IndexOf(const std::string& name) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (sameName(items_[i]->name_, name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TCnUserLabels::ApplyLabelTags(std::string& line, TAlignment& alignment) const {
    for (const auto& label : items_) {
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

void TCnUserLabels::CopyFrom(const TPersistent* source) {
    const auto* labels = dynamic_cast<const TCnUserLabels*>(source);
    if (labels == nullptr) {
        AssignError(source);
    }
    if (labels == this) {
        return;
    }
    std::vector<std::unique_ptr<TCnUserLabel>> copies;
    copies.reserve(labels->items_.size());
    for (const auto& item : labels->items_) {
        copies.push_back(std::make_unique<TCnUserLabel>(this));
        copies.back()->CopyFrom(item.get());
    }
    items_ = std::move(copies);
    Changed();
}

void TCnUserLabels::Changed() {
    if (onChange_) {
        onChange_(this);
    }
}

}  // namespace caici
