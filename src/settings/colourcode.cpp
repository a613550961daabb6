#include "colourcode.h"

#include "wholenumber.h"

namespace settings {

namespace {

struct NamedColour
{
    const char16_t *name;
    quint32 code;
};

constexpr NamedColour kFixedColours[] = {
    {u"clBlack", 0x00000000}, {u"clMaroon", 0x00000080},     {u"clGreen", 0x00008000},
    {u"clOlive", 0x00008080}, {u"clNavy", 0x00800000},       {u"clPurple", 0x00800080},
    {u"clTeal", 0x00808000},  {u"clGray", 0x00808080},       {u"clSilver", 0x00C0C0C0},
    {u"clRed", 0x000000FF},   {u"clLime", 0x0000FF00},       {u"clYellow", 0x0000FFFF},
    {u"clBlue", 0x00FF0000},  {u"clFuchsia", 0x00FF00FF},    {u"clAqua", 0x00FFFF00},
    {u"clWhite", 0x00FFFFFF}, {u"clMoneyGreen", 0x00C0DCC0}, {u"clSkyBlue", 0x00F0CAA6},
    {u"clCream", 0x00F0FBFF}, {u"clMedGray", 0x00A4A0A0},
};

// A palette role stands in for each desktop colour; the index is the desktop's
// own number for that element.
struct SystemColour
{
    const char16_t *name;
    quint32 index;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr QPalette::ColorGroup kActive = QPalette::Active;

constexpr SystemColour kSystemColours[] = {
    {u"clScrollBar", 0, kActive, QPalette::Midlight},
    {u"clBackground", 1, kActive, QPalette::NoRole}, // the desktop: a fixed colour, below
    {u"clActiveCaption", 2, kActive, QPalette::Highlight},
    {u"clInactiveCaption", 3, QPalette::Inactive, QPalette::Mid},
    {u"clMenu", 4, kActive, QPalette::Window},
    {u"clWindow", 5, kActive, QPalette::Base},
    {u"clWindowFrame", 6, kActive, QPalette::Shadow},
    {u"clMenuText", 7, kActive, QPalette::WindowText},
    {u"clWindowText", 8, kActive, QPalette::Text},
    {u"clCaptionText", 9, kActive, QPalette::HighlightedText},
    {u"clActiveBorder", 10, kActive, QPalette::Window},
    {u"clInactiveBorder", 11, QPalette::Inactive, QPalette::Window},
    {u"clAppWorkSpace", 12, kActive, QPalette::Dark},
    {u"clHighlight", 13, kActive, QPalette::Highlight},
    {u"clHighlightText", 14, kActive, QPalette::HighlightedText},
    {u"clBtnFace", 15, kActive, QPalette::Button},
    {u"clBtnShadow", 16, kActive, QPalette::Dark},
    {u"clGrayText", 17, QPalette::Disabled, QPalette::Text},
    {u"clBtnText", 18, kActive, QPalette::ButtonText},
    {u"clInactiveCaptionText", 19, QPalette::Inactive, QPalette::WindowText},
    {u"clBtnHighlight", 20, kActive, QPalette::Light},
    {u"cl3DDkShadow", 21, kActive, QPalette::Shadow},
    {u"cl3DLight", 22, kActive, QPalette::Midlight},
    {u"clInfoText", 23, kActive, QPalette::ToolTipText},
    {u"clInfoBk", 24, kActive, QPalette::ToolTipBase},
    {u"clHotLight", 26, kActive, QPalette::Link},
    {u"clGradientActiveCaption", 27, kActive, QPalette::Highlight},
    {u"clGradientInactiveCaption", 28, QPalette::Inactive, QPalette::Mid},
    {u"clMenuHighlight", 29, kActive, QPalette::Highlight},
    {u"clMenuBar", 30, kActive, QPalette::Window},
};

constexpr quint32 kDesktopBackground = 0x00A56E3A; // RGB(58,110,165)

const SystemColour *systemColour(quint32 code)
{
    if ((code & ColourCode::SystemFlag) != ColourCode::SystemFlag)
        return nullptr;
    for (const SystemColour &colour : kSystemColours) {
        if ((ColourCode::SystemFlag | colour.index) == code)
            return &colour;
    }
    return nullptr;
}

QColor fromBgrValue(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

} // namespace

ColourCode ColourCode::fromColor(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return fromBgr(quint32(rgb.red()) | (quint32(rgb.green()) << 8) | (quint32(rgb.blue()) << 16));
}

std::optional<ColourCode> ColourCode::fromText(QStringView text)
{
    const QStringView t = text.trimmed();
    for (const NamedColour &colour : kFixedColours) {
        if (asciiEqualsIgnoreCase(t, colour.name))
            return ColourCode(colour.code);
    }
    for (const SystemColour &colour : kSystemColours) {
        if (asciiEqualsIgnoreCase(t, colour.name))
            return ColourCode(SystemFlag | colour.index);
    }
    if (asciiEqualsIgnoreCase(t, u"clNone"))
        return none();
    if (asciiEqualsIgnoreCase(t, u"clDefault"))
        return defaultColour();

    const std::optional<qint32> number = parseWholeNumber(t);
    if (!number)
        return std::nullopt;
    const quint32 code = quint32(*number);
    if (code == NoneCode || code == DefaultCode || systemColour(code))
        return ColourCode(code);
    return fromBgr(code);
}

QString ColourCode::toText() const
{
    if (isNone())
        return QStringLiteral("clNone");
    if (isDefault())
        return QStringLiteral("clDefault");
    if (const SystemColour *colour = systemColour(m_code))
        return QString::fromUtf16(colour->name);
    for (const NamedColour &colour : kFixedColours) {
        if (colour.code == m_code)
            return QString::fromUtf16(colour.name);
    }
    return u'$' + QStringLiteral("%1").arg(m_code, 8, 16, QLatin1Char('0')).toUpper();
}

QColor ColourCode::toColor(const QPalette &palette) const
{
    if (isNone() || isDefault())
        return QColor();
    if (const SystemColour *colour = systemColour(m_code)) {
        if (colour->role == QPalette::NoRole)
            return fromBgrValue(kDesktopBackground);
        return palette.color(colour->group, colour->role);
    }
    return fromBgrValue(m_code);
}

} // namespace settings
