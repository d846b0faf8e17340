#pragma once
// Small helpers that turn the windows' stored look (colours as 0x00BBGGRR,
// fonts as a face and a character height in pixels, captions with CR LF line
// breaks) into what Qt widgets take.

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

namespace caici {

// A stored colour 0x00BBGGRR as Qt's colour; the top byte is ignored.
QColor storedColor(int bbggrr);

// A face at a character height in pixels, optionally bold. Faces that the
// machine lacks are substituted by the font system (CJK text always finds a
// CJK face through fontconfig's fallback).
QFont pixelFont(const QString& face, int pixelHeight, bool bold = false);

// A caption as the windows store it, with CR LF between lines, as the text a
// Qt label lays out (plain line feeds).
QString captionText(const char* utf8);

// Paints the widget's whole background in the colour.
void setBackgroundColor(QWidget& widget, const QColor& color);

// Sets the colour of the widget's text.
void setTextColor(QWidget& widget, const QColor& color);

}  // namespace caici
