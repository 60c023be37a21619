#pragma once
// The named data session: the list of passwords with which table files are opened.

#include <QString>
#include <QStringList>

namespace store {

class Session {
public:
    explicit Session(const QString& name) : m_name(name) {}
    QString sessionName() const { return m_name; }
    bool active() const { return true; }

    void addPassword(const QString& password)
    {
        if (!m_passwords.contains(password))
            m_passwords.append(password);
    }
    void removeAllPasswords() { m_passwords.clear(); }
    const QStringList& passwords() const { return m_passwords; }

private:
    QString m_name;
    QStringList m_passwords;
};

// The program's session and the password of its table files.
inline const QString SessionName = QStringLiteral("Quizlore");
inline const QString TablePassword = QStringLiteral("BravoHarbor7731");

}  // namespace store
