// Dialog 433: the title of the structure, one line of at most 80 characters.
#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;

namespace velmor {

class TitleDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kMaxLength = 80;

    // A longer title is shown cut to its first 80 characters.
    explicit TitleDialog(const QString& title, QWidget* parent = nullptr);

    // The title as typed; before OK, the title given.
    const QString& Title() const { return m_title; }

    // Runs the dialog on `title`; on OK writes the typed title back and returns true.
    static bool Edit(QString& title, QWidget* parent = nullptr);

    void accept() override;

private:
    QLineEdit* m_edit = nullptr;
    QString m_title;
};

} // namespace velmor
