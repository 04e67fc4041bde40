// The qlimage commands `link`, `attach` and `dump`, and their help.
#include "qlimage/commands.h"

#include <filesystem>

#include "qlimage/attach.h"
#include "qlimage/command_line.h"
#include "qlimage/dump.h"
#include "qlimage/file_io.h"
#include "qlimage/image_inspection.h"
#include "qlimage/linker.h"
#include "qlimage/project_reader.h"
#include "image/image_format.h"

namespace qlimage {
namespace {

constexpr const char* kUsage =
    "usage: qlimage COMMAND [OPTIONS]\n"
    "\n"
    "Builds application images for the Quillet runtime.\n"
    "\n"
    "commands:\n"
    "  link    link compiled objects and a project description into an image\n"
    "  attach  attach an image to the runtime executable, or write development-mode files\n"
    "  dump    describe an image, or an executable that carries one\n"
    "\n"
    "Run 'qlimage COMMAND --help' for a command's options.\n";

constexpr const char* kLinkHelp =
    "usage: qlimage link [--project FILE.toml] [--entry SYMBOL] -o OUT.img OBJECT...\n"
    "\n"
    "Links relocatable COFF objects (x86-64 or i386, from gcc -c or ld -r) into an application image:\n"
    "code1 (the code), code2 (data fixups and imports), data1 (data, string constants, project items, the\n"
    "project table) and data2 (data1's relocations).\n"
    "\n"
    "  --project FILE.toml  the project description (entry routine, string constants, extra imports,\n"
    "                       settings, classes); without it the image has an empty project table\n"
    "  --entry SYMBOL       the entry routine; overrides the project's [application] entry\n"
    "  -o OUT.img           the image to write\n"
    "\n"
    "Calls to runtime entry points must be direct 5-byte calls; every other undefined symbol must be listed\n"
    "in the project. Compile with -ffreestanding -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables\n"
    "-fno-omit-frame-pointer -fno-optimize-sibling-calls -mno-stack-arg-probe.\n";

constexpr const char* kAttachHelp =
    "usage: qlimage attach --runtime loquat.exe --image IN.img [--resources DATA3] -o APP.exe\n"
    "       qlimage attach --image IN.img [--resources DATA3] --dev-dir DIR\n"
    "\n"
    "The first form copies the runtime, appends the image (and the resource index) behind everything in\n"
    "the file and points the PICKLE resource at them. The second writes code1.dat, code2.dat, data1.dat,\n"
    "data2.dat (and data3.dat) into DIR for a development-mode runtime. The image is checked first.\n"
    "\n"
    "  --runtime FILE    the runtime executable as built (its PICKLE resource holds \"PICK\")\n"
    "  --image FILE      the image written by 'qlimage link'\n"
    "  --resources FILE  the resource index (data3) to append\n"
    "  -o FILE           the executable to write\n"
    "  --dev-dir DIR     write the development-mode files into DIR instead\n";

constexpr const char* kDumpHelp =
    "usage: qlimage dump FILE\n"
    "\n"
    "Describes an image, or an executable that carries one: its blocks, imports with their call sites,\n"
    "data fixups, data2 runs, the project table with its class descriptors and items, and the decoded\n"
    "settings. Reports anything malformed with its place; exits with 1 when something is wrong.\n";

struct Command {
  const char* name;
  std::ostream& err;
  bool failed = false;

  void error(const std::string& message) {
    err << "qlimage " << name << ": error: " << message << "\n";
    failed = true;
  }
  void report(const Diagnostics& diagnostics) {
    for (const std::string& message : diagnostics.errors) error(message);
  }
};

std::optional<Arguments> arguments(Command& command, const std::vector<std::string>& args,
                                   std::initializer_list<std::string_view> options) {
  std::string problem;
  std::optional<Arguments> parsed = parse_arguments(args, options, problem);
  if (!parsed) command.error(problem + "; see 'qlimage " + command.name + " --help'");
  return parsed;
}

std::optional<Bytes> read(Command& command, const std::string& path) {
  std::string problem;
  std::optional<Bytes> bytes = read_file(path, problem);
  if (!bytes) command.error(problem);
  return bytes;
}

bool write(Command& command, const std::string& path, const Bytes& bytes) {
  std::string problem;
  if (write_file(path, bytes, problem)) return true;
  command.error(problem);
  return false;
}

bool same_file(const std::string& a, const std::string& b) {
  std::error_code code;
  return std::filesystem::equivalent(a, b, code);
}

int link_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Command command{"link", err};
  std::optional<Arguments> parsed = arguments(command, args, {"--project", "--entry", "-o"});
  if (!parsed) return 1;
  if (parsed->help) {
    out << kLinkHelp;
    return 0;
  }
  const std::string* output = parsed->option("-o");
  if (!output) command.error("no output: give -o OUT.img");
  if (parsed->operands.empty()) command.error("no input objects: give the .o files to link");
  if (command.failed) return 1;

  Diagnostics diagnostics;
  Project project;
  if (const std::string* path = parsed->option("--project")) {
    std::optional<Bytes> text = read(command, *path);
    if (!text) return 1;
    std::optional<Project> read_back = read_project(
        *path, std::string_view(reinterpret_cast<const char*>(text->data()), text->size()), diagnostics);
    if (!read_back) {
      command.report(diagnostics);
      return 1;
    }
    project = std::move(*read_back);
  }
  std::vector<InputObject> inputs;
  for (const std::string& path : parsed->operands) {
    if (std::optional<Bytes> bytes = read(command, path)) inputs.push_back({path, std::move(*bytes)});
  }
  if (command.failed) return 1;
  const std::string* entry = parsed->option("--entry");
  std::optional<Image> image = link_image(inputs, project, entry ? *entry : std::string(), diagnostics);
  if (!image) {
    command.report(diagnostics);
    return 1;
  }
  if (!write(command, *output, serialize_image(*image))) return 1;
  ImageReport report = inspect_image(*image);
  uint32_t sites = 0;
  for (const ImportReport& import : report.imports) sites += import.call_sites;
  out << *output << ": code1 " << image->code1.size() << " bytes, " << report.imports.size() << " imports ("
      << sites << " call sites), " << report.fixups.size() << " data fixups; data1 " << image->data1.size()
      << " bytes, " << report.relocated_words.size() << " relocated words; " << report.classes.size()
      << " classes\n";
  return 0;
}

int attach_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Command command{"attach", err};
  std::optional<Arguments> parsed =
      arguments(command, args, {"--runtime", "--image", "--resources", "-o", "--dev-dir"});
  if (!parsed) return 1;
  if (parsed->help) {
    out << kAttachHelp;
    return 0;
  }
  const std::string* runtime = parsed->option("--runtime");
  const std::string* image_path = parsed->option("--image");
  const std::string* resources_path = parsed->option("--resources");
  const std::string* output = parsed->option("-o");
  const std::string* dev_dir = parsed->option("--dev-dir");
  if (!parsed->operands.empty()) command.error("unexpected operand '" + parsed->operands[0] + "'");
  if (!image_path) command.error("no image: give --image IN.img");
  if (dev_dir && (runtime || output)) {
    command.error("--dev-dir writes files instead of an executable; drop --runtime and -o");
  }
  if (!dev_dir && (!runtime || !output)) {
    command.error("give --runtime loquat.exe and -o APP.exe, or --dev-dir DIR");
  }
  if (command.failed) return 1;

  Diagnostics diagnostics;
  std::optional<Bytes> image_file = read(command, *image_path);
  if (!image_file) return 1;
  std::optional<Image> image = load_image_file(*image_path, *image_file, diagnostics);
  std::optional<Bytes> resources;
  if (resources_path) {
    resources = read(command, *resources_path);
    if (resources && !check_resource_index(*resources_path, *resources, diagnostics)) resources.reset();
  }
  command.report(diagnostics);
  if (command.failed) return 1;

  if (dev_dir) {
    std::error_code code;
    std::filesystem::create_directories(*dev_dir, code);
    if (code) {
      command.error(*dev_dir + ": cannot create the directory: " + code.message());
      return 1;
    }
    const Bytes* blocks[] = {&image->code1, &image->code2, &image->data1, &image->data2};
    for (int i = 0; i < ql::image::kBlockCount; ++i) {
      std::string path = (std::filesystem::path(*dev_dir) / ql::image::kDevelopmentFiles[i]).string();
      if (!write(command, path, *blocks[i])) return 1;
    }
    std::filesystem::path data3 = std::filesystem::path(*dev_dir) / ql::image::kDevelopmentResourceIndexFile;
    if (resources) {
      if (!write(command, data3.string(), *resources)) return 1;
    } else if (std::filesystem::exists(data3, code)) {
      out << "note: " << data3.string() << " is left from an earlier run; this image comes without one\n";
    }
    return 0;
  }
  for (const std::string* input : {runtime, image_path, resources_path}) {
    if (input && same_file(*input, *output)) {
      command.error("-o " + *output + " would overwrite the input " + *input + "; write to a new file");
      return 1;
    }
  }
  std::optional<Bytes> runtime_bytes = read(command, *runtime);
  if (!runtime_bytes) return 1;
  std::optional<Bytes> executable =
      attach_image(*runtime, *runtime_bytes, *image, resources ? &*resources : nullptr, diagnostics);
  if (!executable) {
    command.report(diagnostics);
    return 1;
  }
  return write(command, *output, *executable) ? 0 : 1;
}

int dump_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Command command{"dump", err};
  std::optional<Arguments> parsed = arguments(command, args, {});
  if (!parsed) return 1;
  if (parsed->help) {
    out << kDumpHelp;
    return 0;
  }
  if (parsed->operands.size() != 1) {
    command.error("give exactly one FILE to describe");
    return 1;
  }
  std::optional<Bytes> bytes = read(command, parsed->operands[0]);
  if (!bytes) return 1;
  return dump_file(parsed->operands[0], *bytes, out) ? 0 : 1;
}

}  // namespace

int run_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << kUsage;
    return 1;
  }
  std::vector<std::string> rest(args.begin() + 1, args.end());
  const std::string& name = args[0];
  if (name == "link") return link_command(rest, out, err);
  if (name == "attach") return attach_command(rest, out, err);
  if (name == "dump") return dump_command(rest, out, err);
  if (name == "--help" || name == "-h" || name == "help") {
    out << kUsage;
    return 0;
  }
  err << "qlimage: error: unknown command '" << name << "'\n\n" << kUsage;
  return 1;
}

}  // namespace qlimage
