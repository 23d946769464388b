#pragma once

// Stand-ins for the shared controls that are being built in the foundation; removed once they
// land.

#include "account/GoogleAuthStore.h"
#include "ui/foundation/AppFont.h"
#include "ui/foundation/Palette.h"

#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

namespace corvel::standin {

class TextLinkButton final : public QPushButton {
public:
    TextLinkButton(const QString& title, const QFont& font, const QColor& color,
                   QWidget* parent = nullptr)
        : QPushButton(title, parent) {
        setFlat(true);
        setFont(font);
        QPalette colors = palette();
        colors.setColor(QPalette::ButtonText, color);
        setPalette(colors);
        setCursor(Qt::PointingHandCursor);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }
};

class DisclosureGroup final : public QWidget {
public:
    DisclosureGroup(const QString& title, QWidget* content, const QFont& font, const QColor& tint,
                    QWidget* parent = nullptr)
        : QWidget(parent), m_header(new TextLinkButton(title, font, tint, this)),
          m_content(content) {
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(0, 0, 0, 0);
        column->addWidget(m_header, 0, Qt::AlignLeft);
        column->addWidget(content);
        content->setVisible(false);
        connect(m_header, &QPushButton::clicked, this, [this] { setExpanded(!expanded()); });
    }
    bool expanded() const { return !m_content->isHidden(); }
    void setExpanded(bool on) {
        if (on == expanded())
            return;
        m_content->setVisible(on);
        if (onToggled)
            onToggled(on);
    }
    void setTitle(const QString& title) { m_header->setText(title); }
    std::function<void(bool)> onToggled;

private:
    TextLinkButton* m_header;
    QWidget* m_content;
};

class Spinner final : public QWidget {
public:
    explicit Spinner(QWidget* parent = nullptr) : QWidget(parent) { setFixedSize(16, 16); }
};

class GoogleSignInButton final : public QPushButton {
public:
    GoogleSignInButton(GoogleAuthStore& auth, QWidget* parent = nullptr)
        : QPushButton(QStringLiteral("Sign in with Google"), parent) {
        connect(this, &QPushButton::clicked, &auth, &GoogleAuthStore::signIn);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }
};

} // namespace corvel::standin
