#pragma once
// Plays the renderer for native tests: finds controls by their names and
// reports what a user did to them, as the real renderer does.
#include <gtest/gtest.h>

#include "ui/Form.h"

namespace lingvora::fake {

struct FakeRenderer {
  Form& form;
  Control& at(const std::string& name) {
    Control* c = form.find(name);
    if (!c) ADD_FAILURE() << "no control " << name;
    return *c;
  }
  void click(const std::string& name) { userClick(at(name)); }
  void check(const std::string& name, bool on) { userCheck(at(name), on); }
  void select(const std::string& name, int index) { userSelect(at(name), index); }
  void type(const std::string& name, const Text& text) { userEdit(at(name), text); }
  void treeClick(const std::string& name, unsigned flags, int item) {
    userTreeClick(at(name), {flags, item});
  }
  void treeMove(const std::string& name, unsigned flags, int item) {
    userTreeMouseMove(at(name), {flags, item});
  }
  void enter(const std::string& name) { userMouseEnter(at(name)); }
  void leave(const std::string& name) { userMouseLeave(at(name)); }
  void tick(const std::string& name) { timerTick(at(name)); }
};

}  // namespace lingvora::fake
