// SFL+ sources (x.sflp): `stage.task` read in an expression is true while
// the stage runs that task, from the clock edge at which the task started
// until the stage finishes.  In an SFL source it stays the task's select,
// true in the cycle the task is started.
//
// A stage of one task runs it whenever its running register _S_on_reg is
// set.  A stage of several tasks also remembers which task started it, in
// a register _S_task of a bit per task (a made-up name that keeps out of
// the way of declared ones): at every start it takes the tasks' selects,
// and it resets with the stage's other registers.
#ifndef SFLC_RUNNING_TASKS_H
#define SFLC_RUNNING_TASKS_H

#include <string>

struct list;
struct stage;

// The write of `reg`, the task register of the stage `st` just declared:
// at the clock edge that ends a cycle in which `starts` (one of its
// tasks starts) holds, bit k takes the select of task k.
void remember_starting_task(const stage* st, const list* reg, std::string starts);
// In an expression of an SFL+ source, each stage.task (not a call)
// becomes the condition that the stage runs that task.
void running_tasks(std::string& text);

#endif
