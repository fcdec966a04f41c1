// The base of every form's model, of the forms and of the dialogs alike: it
// holds nothing, but lets the application keep the current form, whatever
// its type, and destroy it as the type that was made.
#pragma once

struct FormBase {
  FormBase() = default;
  FormBase(const FormBase&) = delete;
  FormBase& operator=(const FormBase&) = delete;
  virtual ~FormBase() = default;
};
