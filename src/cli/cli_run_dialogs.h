#pragma once

#include "cli_host.h"
#include "doc/scripted_dialogs.h"

#include <deque>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

// The command line's host for the run command: messages go to standard error prefixed by their
// kind, questions take the --answer values in order and then their default button, and every
// error is counted so that a command that reported one counts as failed.
class CRunHost : public CCliHost {
public:
    explicit CRunHost(std::ostream& err) : CCliHost(err), m_err(err) {}
    void ShowMessage(const std::string& text, EMsgIcon icon) override;
    EAnswer Ask(const std::string& text, bool withCancel, EAnswer def,
                EMsgIcon icon = EMsgIcon::Question) override;
    void QueueAnswer(EAnswer a) { m_answers.push_back(a); }
    int Errors() const { return m_nErrors; }

private:
    std::ostream& m_err;
    std::deque<EAnswer> m_answers;
    int m_nErrors = 0;
};

// The dialogs of one command, filled from its options: each starts from the document's
// remembered values, takes the options given and is accepted. A dialog shown a second time in
// one command (after its values were refused) is cancelled, so the command ends.
class CRunDialogs : public CScriptedCommandDialogs {
public:
    // Forgets the previous command's edits and shown dialogs.
    void BeginCommand() { *this = CRunDialogs(); }
    // An exported HTML report gets its pictures beside it, as the export command writes them.
    bool SaveReportPictures(CFirDoc& doc, const std::string& reportPath) override;

protected:
    bool MayShow(const void* edit) override {
        for (const void* shown : m_shown)
            if (shown == edit)
                return false;
        m_shown.push_back(edit);
        return true;
    }

private:
    std::vector<const void*> m_shown;
};
