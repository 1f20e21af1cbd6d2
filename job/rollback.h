// What a job has changed so far, as the steps that put it back. A job that fails part-way runs
// them, so that the machine boots as it did before the click; a boot file that cannot be put back
// is named, and its saved copy stays where it is.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tovak {

// A root boot file the job could not put back, and where its saved copy stays.
struct KeptCopy {
  std::string file;
  std::string savedCopy;
};

class Rollback {
 public:
  // The phases run in this order, each newest first: what the job wrote goes first, which gives
  // room; then the root files are put back; then the folders the job made or set aside.
  enum class Phase { Remove, PutBack, Folders };

  void Add(Phase phase, std::function<void()> undo) { undos_.push_back({phase, std::move(undo)}); }
  // A put-back that failed: the folder holding the copy must stay.
  void Keep(const std::string& file, const std::string& savedCopy) {
    kept_.push_back({file, savedCopy});
  }
  bool AllPutBack() const { return kept_.empty(); }
  const std::vector<KeptCopy>& Kept() const { return kept_; }

  void Run() {
    for (Phase phase : {Phase::Remove, Phase::PutBack, Phase::Folders}) {
      for (auto it = undos_.rbegin(); it != undos_.rend(); ++it) {
        if (it->phase == phase) it->undo();
      }
    }
    undos_.clear();
  }
  // The job is prepared: nothing of it is undone any more.
  void Commit() { undos_.clear(); }

 private:
  struct Undo {
    Phase phase;
    std::function<void()> undo;
  };
  std::vector<Undo> undos_;
  std::vector<KeptCopy> kept_;
};

}  // namespace tovak
