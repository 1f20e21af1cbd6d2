// What a job has changed so far, as the steps that put it back. A job that fails part-way runs them,
// newest first, so that the machine boots as it did before the click.
#pragma once

#include <functional>
#include <vector>

namespace tovak {

class Rollback {
 public:
  void Add(std::function<void()> undo) { undos_.push_back(std::move(undo)); }
  void Run() {
    for (auto it = undos_.rbegin(); it != undos_.rend(); ++it) (*it)();
    undos_.clear();
    commits_.clear();
  }
  // Runs once the job is prepared, instead of the undo steps.
  void OnCommit(std::function<void()> action) { commits_.push_back(std::move(action)); }
  void Commit() {
    undos_.clear();
    for (auto& action : commits_) action();
    commits_.clear();
  }

 private:
  std::vector<std::function<void()>> undos_;
  std::vector<std::function<void()>> commits_;
};

}  // namespace tovak
