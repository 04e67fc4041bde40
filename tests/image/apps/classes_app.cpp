// A class hierarchy compiled into the image: hooks fired by the runtime, constructors and destructors,
// hook and method lookup, type tests, and the fatal ends of unhandled exceptions.
#include "quillet.h"

namespace {

enum ClassIndex { kApplication, kTestApp, kAnimal, kDog, kTypeMismatch, kEndException };

struct Animal {
  QlObjectBase base;
  int32_t legs;
};

struct Dog {
  Animal animal;
  int32_t tricks;
};

void trace(QlString text) { lineTrace(text); }

using Call = void (*)(QlObject*);

}  // namespace

extern "C" {

extern const uint32_t test_app_size = sizeof(QlApplicationBase);
extern const uint32_t animal_size = sizeof(Animal);
extern const uint32_t dog_size = sizeof(Dog);

void test_app_open(QlObject*) { trace(QL_STR("application Open")); }
void test_app_new_document(QlObject*) { trace(QL_STR("application NewDocument")); }

void animal_construct(QlObject* self, void*) {
  reinterpret_cast<Animal*>(self)->legs = 4;
  trace(QL_STR("Animal constructed"));
}
void animal_destruct(QlObject*, void*) { trace(QL_STR("Animal destroyed")); }
void dog_construct(QlObject* self, void*) {
  // The root's constructor has run first.
  trace(reinterpret_cast<Animal*>(self)->legs == 4 ? QL_STR("Dog constructed after Animal")
                                                   : QL_STR("Dog first"));
}
void dog_destruct(QlObject*, void*) { trace(QL_STR("Dog destroyed")); }
void animal_speak(QlObject*) { trace(QL_STR("an animal speaks")); }
void dog_speak(QlObject*) { trace(QL_STR("the dog speaks")); }
void animal_name(QlObject*) { trace(QL_STR("Animal")); }
void dog_name(QlObject*) { trace(QL_STR("Dog")); }

void app_entry() {
  quillet::start_runtime();
  QlObject* dog = RuntimeNewObject(kDog);
  trace(RuntimeObjectIsa(dog, kAnimal) && RuntimeObjectIsa(dog, kDog) && !RuntimeObjectIsa(dog, kTestApp)
            ? QL_STR("a Dog is an Animal")
            : QL_STR("type test failed"));
  trace(RuntimeObjectIsa(nullptr, kAnimal) ? QL_STR("nil is an Animal") : QL_STR("nil is nothing"));
  reinterpret_cast<Call>(RuntimeFindHookCode(dog, 7))(dog);  // the subclass's hook wins
  reinterpret_cast<Call>(FindVTableCode(dog, 1))(dog);
  QlObject* animal = RuntimeNewObject(kAnimal);
  reinterpret_cast<Call>(RuntimeFindHookCode(animal, 7))(animal);
  RuntimeUnlockObject(animal);
  RuntimeLockObject(dog);
  RuntimeUnlockObject(dog);
  trace(QL_STR("one reference left"));
  RuntimeUnlockObject(dog);
  RuntimeRun();
}

void app_entry_unhandled() {
  quillet::start_runtime();
  trace(QL_STR("raising"));
  RuntimeRaiseException(RuntimeNewObject(kTypeMismatch));
  trace(QL_STR("not reached"));
}

void app_entry_end() {
  quillet::start_runtime();
  trace(QL_STR("ending"));
  RuntimeRaiseException(RuntimeNewObject(kEndException));
  trace(QL_STR("not reached"));
}

}  // extern "C"
