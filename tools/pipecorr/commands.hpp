// The subcommands of pipecorr, one file each.
#pragma once

#include <memory>

#include "command.hpp"

namespace pipecorr::hostkit {

std::unique_ptr<Command> make_list_command();
std::unique_ptr<Command> make_calc_command();
std::unique_ptr<Command> make_batch_command();
std::unique_ptr<Command> make_map_command();
std::unique_ptr<Command> make_traverse_command();
std::unique_ptr<Command> make_lift_command();
std::unique_ptr<Command> make_vfp_command();
std::unique_ptr<Command> make_check_command();
std::unique_ptr<Command> make_check_child_command();

}  // namespace pipecorr::hostkit
