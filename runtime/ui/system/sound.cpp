// Sound objects: stored sounds of the image played through DirectSound, one secondary buffer each, filled
// once from the image's bytes; sounds made from files played with PlaySoundA. Every failure is silent, and
// the next play tries again.
#include <windows.h>

#include <mmsystem.h>

#include <dsound.h>
#include <stddef.h>

#include <algorithm>
#include <vector>

#include "files/folder_item.h"
#include "files/other_layers.h"
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "quillet/graphics.h"
#include "quillet/layouts.h"
#include "ui/ui_classes.h"
#include "ui/ui_steps.h"
#include "ui/window/window_pane.h"

namespace ql {

namespace {

struct SoundFields {
  ObjectBase base;
  int32_t length;              // bytes of samples
  const uint8_t* samples;      // in the image's data: not copied, not owned
  IDirectSoundBuffer* buffer;  // null until first played
  QlObject* file;              // a folder item, for a sound made from a file; null for stored sounds
};
struct SoundObject : SoundFields {
  uint8_t reserved[sizeof(QlSoundBase) - sizeof(SoundFields)];
};
static_assert(sizeof(SoundObject) == sizeof(QlSoundBase), "Sound matches the SDK's layout");

SoundFields* as_sound(QlObject* sound) { return reinterpret_cast<SoundFields*>(sound); }

constexpr DWORD kSamplesPerSecond = 22050;

struct Device {
  IDirectSound* sound = nullptr;
  HWND hidden_window = nullptr;
  std::vector<SoundFields*> with_buffers;  // released before the DirectSound object that made them
};

Device& device() {
  static Device d;
  return d;
}

// The window the cooperative level belongs to: the MDI frame, the menu bar's window, or a hidden one.
HWND cooperative_window() {
  if (mdi_frame()) return mdi_frame();
  if (WindowPane* window = menu_bar_window()) return window->hwnd();
  Device& d = device();
  if (!d.hidden_window) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QLSoundWnd";
    RegisterClassA(&wc);
    d.hidden_window = CreateWindowExA(0, "QLSoundWnd", "", 0, -100, -100, 20, 20, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
  }
  return d.hidden_window;
}

IDirectSound* direct_sound() {
  Device& d = device();
  if (d.sound) return d.sound;
  if (FAILED(DirectSoundCreate(nullptr, &d.sound, nullptr))) {
    d.sound = nullptr;
    return nullptr;
  }
  d.sound->SetCooperativeLevel(cooperative_window(), DSSCL_NORMAL);
  return d.sound;
}

bool make_buffer(SoundFields* s) {
  IDirectSound* ds = direct_sound();
  if (!ds || s->length <= 0) return false;
  WAVEFORMATEX format = {};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 1;
  format.nSamplesPerSec = kSamplesPerSecond;
  format.nAvgBytesPerSec = kSamplesPerSecond;
  format.nBlockAlign = 1;
  format.wBitsPerSample = 8;
  DSBUFFERDESC desc = {};
  // The first DirectSound version's description, without the 3D algorithm field: 20 bytes on win32, 24 on
  // win64, where the format pointer is 8 bytes wide and aligned. DirectSound refuses any other size.
  desc.dwSize = static_cast<DWORD>(offsetof(DSBUFFERDESC, guid3DAlgorithm));
  desc.dwFlags = 0;
  desc.dwBufferBytes = static_cast<DWORD>(s->length);
  desc.lpwfxFormat = &format;
  if (FAILED(ds->CreateSoundBuffer(&desc, &s->buffer, nullptr))) {
    s->buffer = nullptr;
    return false;
  }
  device().with_buffers.push_back(s);
  void* first = nullptr;
  void* second = nullptr;
  DWORD first_bytes = 0, second_bytes = 0;
  // A buffer that could not be locked is kept unfilled: it is not filled again by later plays.
  if (SUCCEEDED(s->buffer->Lock(0, static_cast<DWORD>(s->length), &first, &first_bytes, &second,
                                &second_bytes, 0))) {
    memcpy(first, s->samples, first_bytes);
    if (second) memcpy(second, s->samples + first_bytes, second_bytes);
    s->buffer->Unlock(first, first_bytes, second, second_bytes);
  }
  return true;
}

void play(QlObject* sound) {
  if (!sound) return;
  SoundFields* s = as_sound(sound);
  if (s->file) {
    // A new PlaySoundA cuts off the file sound still playing.
    PlaySoundA(folder_item_path(s->file).c_str(), nullptr, SND_ASYNC | SND_FILENAME);
    return;
  }
  if (!s->buffer && !make_buffer(s)) return;
  // The position is left where it is: a sound playing goes on, a stopped one resumes.
  s->buffer->Play(0, 0, 0);
}

void release_buffer(SoundFields* s) {
  if (!s->buffer) return;
  s->buffer->Stop();
  s->buffer->Release();
  s->buffer = nullptr;
  std::vector<SoundFields*>& all = device().with_buffers;
  all.erase(std::remove(all.begin(), all.end(), s), all.end());
}

void destroy_sound(QlObject* sound, ClassObject*) {
  SoundFields* s = as_sound(sound);
  release_buffer(s);
  release_object(s->file);
  s->file = nullptr;
}

bool sound_is_playing(QlObject* sound) {
  if (!sound) return false;
  SoundFields* s = as_sound(sound);
  DWORD status = 0;
  return s->buffer && SUCCEEDED(s->buffer->GetStatus(&status)) && (status & DSBSTATUS_PLAYING);
}

QlObject* sound_from_file(QlObject* folder_item) {
  QlObject* sound = new_object(builtin_class("Sound"));
  retain_object(folder_item);
  as_sound(sound)->file = folder_item;
  return sound;
}

}  // namespace

void define_sound_class() {
  ClassObject* cls = define_builtin_class("Sound", nullptr, sizeof(SoundObject));
  cls->destructor = destroy_sound;
  cls->methods.clear();
  add_method(cls, "Play", code_of(soundPlay));
  add_method(cls, "PlayLooping", code_of(soundPlayLooping));
  add_method(cls, "Stop", code_of(soundStop));
  add_method(cls, "IsPlaying", code_of(sound_is_playing));
  set_sound_loader(sound_from_file);
}

QlObject* make_sound_item(const uint8_t* bytes, uint32_t length) {
  QlObject* sound = new_object(builtin_class("Sound"));
  as_sound(sound)->samples = bytes;
  as_sound(sound)->length = static_cast<int32_t>(length);
  return sound;
}

void release_sound() {
  Device& d = device();
  // The sounds themselves outlive the loop (the image's items are freed later): they lose their buffers now
  // and would make new ones if played again.
  while (!d.with_buffers.empty()) release_buffer(d.with_buffers.back());
  if (d.sound) {
    d.sound->Release();
    d.sound = nullptr;
  }
}

}  // namespace ql

QL_API void soundPlay(QlObject* sound) { ql::play(sound); }

// The looping request is not acted on: stored sounds play once, as soundPlay plays them.
QL_API void soundPlayLooping(QlObject* sound) { ql::play(sound); }

QL_API void soundStop(QlObject* sound) {
  if (sound && ql::as_sound(sound)->buffer) ql::as_sound(sound)->buffer->Stop();
}
