#include "ui/preparation/JobPreparationSection.h"

#include "ui/foundation/FieldLabel.h"
#include "ui/foundation/TextArea.h"
#include "ui/foundation/TextInput.h"
#include "ui/preparation/ContextBinding.h"

#include <QHBoxLayout>
#include <QTextEdit>
#include <QVBoxLayout>

namespace corvel {

namespace {
QVBoxLayout* labelled(FieldLabel* label, QWidget* field) {
    auto* column = new QVBoxLayout;
    column->setSpacing(8);
    column->addWidget(label);
    column->addWidget(field);
    return column;
}
} // namespace

JobPreparationSection::JobPreparationSection(AppStore& store, bool compact, QWidget* parent)
    : QWidget(parent), m_role(new TextInput(QStringLiteral("e.g. Marketing Manager"), this)),
      m_company(new TextInput(QStringLiteral("Company name"), this)),
      m_description(new TextArea({}, QStringLiteral("Paste the job description here…"), 0, this)) {
    setCompact(compact);
    m_role->setAccessibleName(QStringLiteral("Job title"));
    m_company->setAccessibleName(QStringLiteral("Company"));
    m_description->editor()->setAccessibleName(QStringLiteral("Job description, required"));
    bindContextField(m_role, store, &InterviewContext::role);
    bindContextField(m_company, store, &InterviewContext::company);
    bindContextField(m_description, store, &InterviewContext::jobDescription);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(20);
    auto* names = new QHBoxLayout;
    names->setSpacing(16);
    names->addLayout(labelled(
        new FieldLabel(QStringLiteral("Job title"), QStringLiteral("Optional"), this), m_role));
    names->addLayout(labelled(
        new FieldLabel(QStringLiteral("Company"), QStringLiteral("Optional"), this), m_company));
    column->addLayout(names);
    column->addLayout(labelled(
        new FieldLabel(QStringLiteral("Job description"), QStringLiteral("Required"), this),
        m_description));
}

void JobPreparationSection::setCompact(bool compact) {
    m_description->setFixedHeight(compact ? 120 : 180);
}

} // namespace corvel
