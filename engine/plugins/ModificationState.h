#pragma once
// The part every suggested modification carries: whether the user ticked it,
// whether it was carried out, and its id.
//
// Each state made gets the decimal text of a process-wide counter as its id ("1"
// first), shared by the three record types, so ids are unique within a run and
// grow in order of creation; the window uses them as checkbox ids. Copies keep
// the id of their original.

#include <string>

namespace com::quorvex::products::tamblix {

struct ModificationState {
    explicit ModificationState(bool selected = false);

    bool selected;
    bool applied;
    std::string id;
};

}  // namespace com::quorvex::products::tamblix
