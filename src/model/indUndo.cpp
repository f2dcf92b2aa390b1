#include "model/indUndo.h"

namespace {

const std::string kNone;

}  // namespace

void indUndo::Begin(const uint8_t* image, size_t size)
{
    m_before.assign(image, image + size);
}

bool indUndo::Commit(const uint8_t* image, size_t size, const std::string& description)
{
    if (m_before.size() != size) {
        m_before.clear();
        return false;
    }
    Step step;
    step.description = description;
    for (size_t a = 0; a < size; ++a)
        if (m_before[a] != image[a])
            step.changes.push_back({static_cast<uint32_t>(a), m_before[a], image[a]});
    m_before.clear();
    if (step.changes.empty())
        return false;
    m_steps.resize(m_done);
    m_steps.push_back(std::move(step));
    m_done = m_steps.size();
    return true;
}

const std::string& indUndo::UndoDescription() const
{
    return CanUndo() ? m_steps[m_done - 1].description : kNone;
}

const std::string& indUndo::RedoDescription() const
{
    return CanRedo() ? m_steps[m_done].description : kNone;
}

bool indUndo::Undo(uint8_t* image, size_t size)
{
    if (!CanUndo())
        return false;
    const Step& step = m_steps[m_done - 1];
    for (const Change& c : step.changes)
        if (c.address < size)
            image[c.address] = c.before;
    --m_done;
    return true;
}

bool indUndo::Redo(uint8_t* image, size_t size)
{
    if (!CanRedo())
        return false;
    const Step& step = m_steps[m_done];
    for (const Change& c : step.changes)
        if (c.address < size)
            image[c.address] = c.after;
    ++m_done;
    return true;
}

void indUndo::Clear()
{
    m_steps.clear();
    m_done = 0;
    m_before.clear();
}
