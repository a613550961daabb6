#pragma once

#include <QColor>
#include <QPalette>
#include <QString>
#include <QStringView>

#include <optional>

namespace settings {

// A colour as the settings file stores it: a 32-bit code that is either a
// plain colour 0x00BBGGRR (red in the low byte), one of the desktop's system
// colours (0xFF000000 plus the system colour's index, "clBtnFace" and the
// like), "clNone" (0x1FFFFFFF) or "clDefault" (0x20000000). System colours
// keep their name through a load and save; they become a real colour only
// when painting, from the palette in use (see toColor()).
class ColourCode
{
public:
    static constexpr quint32 NoneCode = 0x1FFFFFFF;
    static constexpr quint32 DefaultCode = 0x20000000;
    static constexpr quint32 SystemFlag = 0xFF000000;

    // Black.
    constexpr ColourCode() = default;

    // A plain colour from 0x00BBGGRR; the high byte is ignored.
    static constexpr ColourCode fromBgr(quint32 bgr) { return ColourCode(bgr & 0x00FFFFFF); }
    static ColourCode fromColor(const QColor &colour);
    static constexpr ColourCode none() { return ColourCode(NoneCode); }
    static constexpr ColourCode defaultColour() { return ColourCode(DefaultCode); }

    // Reads a colour text: a colour name ("clRed", "clBtnFace", "clNone", ...;
    // ASCII case does not matter) or a whole number ("255", "$0000FF00",
    // "0xFF"). A number equal to a system colour's code, clNone or clDefault
    // is that colour; any other number keeps its low 24 bits as 0x00BBGGRR.
    // Returns std::nullopt when the text is neither.
    static std::optional<ColourCode> fromText(QStringView text);

    // The colour text to write: the name of a named colour, else "$" and
    // eight upper-case hexadecimal digits of the code ("$000080FF").
    QString toText() const;

    // The colour to paint with. Plain colours are exact. System colours come
    // from palette (clBtnFace is QPalette::Button, clWindow QPalette::Base,
    // clHighlight QPalette::Highlight, ...; clBackground, the desktop colour,
    // which no palette holds, is RGB(58,110,165)). clNone and clDefault give an
    // invalid QColor: "no colour of its own", the painter keeps the colour it
    // would use anyway.
    QColor toColor(const QPalette &palette) const;

    constexpr quint32 code() const { return m_code; }
    constexpr bool isSystemColour() const { return (m_code & SystemFlag) == SystemFlag; }
    constexpr bool isNone() const { return m_code == NoneCode; }
    constexpr bool isDefault() const { return m_code == DefaultCode; }

    friend constexpr bool operator==(ColourCode, ColourCode) = default;

private:
    explicit constexpr ColourCode(quint32 code)
        : m_code(code)
    {}

    quint32 m_code = 0;
};

} // namespace settings
