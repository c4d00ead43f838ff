// The Qt face of a document's step-by-step solution: it listens to the tutor and turns what
// the tutor tells into signals for the frames and bars, the tutor's updates into change events
// for every view of the document, and its messages into message boxes.
#pragma once

#include "tutor/core/VelmorTutor.h"

#include <QObject>

namespace velmor {

class VelmorDoc;

class TutorFace : public QObject, public TutorListener
{
    Q_OBJECT
public:
    // Listens to the tutor until destroyed.
    TutorFace(VelmorDoc& doc, VelmorTutor& tutor, QObject* parent = nullptr);
    ~TutorFace() override;

    VelmorTutor& Tutor() { return m_tutor; }

    void StepDone(const VelmorTutor&) override { emit stepDone(); }
    void Results(const VelmorTutor&) override { emit results(); }
    void Changed(const VelmorTutor&) override { emit changed(); }
    void Ended(const VelmorTutor&) override { emit ended(); }
    void Update(const VelmorTutor&, const ChangeEvent& change) override;
    void Message(const VelmorTutor&, const EngineMessage& message) override;

signals:
    // A step was completed: the flow chart shows what comes next.
    void stepDone();
    // The results are computed.
    void results();
    // What the tutor bar shows changed.
    void changed();
    // The solution ended (the tutor bar goes).
    void ended();

private:
    VelmorDoc& m_doc;
    VelmorTutor& m_tutor;
};

} // namespace velmor
