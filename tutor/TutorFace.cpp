#include "TutorFace.h"

#include "app/VelmorDoc.h"
#include "platform/core/MessageService.h"

namespace velmor {

TutorFace::TutorFace(VelmorDoc& doc, VelmorTutor& tutor, QObject* parent)
    : QObject(parent), m_doc(doc), m_tutor(tutor)
{
    m_tutor.SetListener(this);
}

TutorFace::~TutorFace()
{
    m_tutor.SetListener(nullptr);
}

void TutorFace::Update(const VelmorTutor&, const ChangeEvent& change)
{
    m_doc.UpdateAllViews(change);
}

void TutorFace::Message(const VelmorTutor&, const EngineMessage& message)
{
    const MessageIcon icon = message.severity == MessageSeverity::Error     ? MessageIcon::Error
                             : message.severity == MessageSeverity::Warning ? MessageIcon::Warning
                                                                            : MessageIcon::Information;
    Messages().Show(message.text, MessageButtons::Ok, icon);
}

} // namespace velmor
