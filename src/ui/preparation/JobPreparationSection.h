#pragma once

#include <QWidget>

namespace corvel {

class AppStore;
class TextArea;
class TextInput;

// The role step: job title, company and the job description, written straight into the
// prepared interview.
class JobPreparationSection final : public QWidget {
    Q_OBJECT

public:
    JobPreparationSection(AppStore& store, bool compact, QWidget* parent = nullptr);

    // The job description is 120 high when compact, else 180.
    void setCompact(bool compact);

    TextInput* roleField() const { return m_role; }
    TextInput* companyField() const { return m_company; }
    TextArea* descriptionField() const { return m_description; }

private:
    TextInput* m_role;
    TextInput* m_company;
    TextArea* m_description;
};

} // namespace corvel
