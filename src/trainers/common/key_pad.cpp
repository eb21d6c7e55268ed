#include "trainers/common/key_pad.h"

#include "trainers/common/digit_key.h"
#include "widgets/reading_font.h"
#include "widgets/twips.h"

namespace {

constexpr int keyTop = 4680; // twips
constexpr int keyLeft = 960;
constexpr int keyStep = 600;

} // namespace

KeyPad::KeyPad(QWidget *window, std::function<void(QChar)> tapped)
{
    QFont font = readingFont(true);
    font.setPixelSize(24);
    for (int i = 0; i <= 9; ++i) {
        auto *key = new DigitKey(QChar(u'0' + i), window);
        key->setObjectName(QStringLiteral("Befehl%1").arg(i + 2));
        key->setGeometry(twipsToPx(keyLeft + i * keyStep), twipsToPx(keyTop), 36, 40);
        key->setFont(font);
        const QChar digit = key->digit();
        QObject::connect(key, &QPushButton::clicked, window, [tapped, digit] { tapped(digit); });
        m_keys << key;
    }
}

void KeyPad::toggle(QChar digit)
{
    m_chosen = m_chosen == digit ? std::nullopt : std::optional<QChar>(digit);
    for (DigitKey *key : std::as_const(m_keys))
        key->setChecked(m_chosen == key->digit());
}

void KeyPad::letGo()
{
    if (m_chosen)
        toggle(*m_chosen);
}
