// The editor's requests on the live panel's server: edits, undo and redo,
// saving, and the file as saving would write it. Without --edit each is
// refused and nothing is written; with it, an edit is made on the host
// thread (the panel placed again there) and checked in the checker's own
// process, off the host thread.
#pragma once

#include <memory>

#include "host/live/check_process.h"
#include "host/live/live_panel.h"

namespace httplib {
class Server;
}  // namespace httplib

namespace korvel::live {

struct EditOptions {
    bool editing = false;                   // started with --edit
    std::shared_ptr<CheckProcess> checker;  // none: findings are not given
};

void edit_routes(httplib::Server& server, LivePanel& panel, const EditOptions& options);

}  // namespace korvel::live
