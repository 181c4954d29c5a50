#pragma once
// A platform call that tests can answer in-process: message boxes, the folder
// picker, the shell's folders, the printer, the shell link object. The call
// goes to the handler a test put in, or to the real function when there is
// none.
//
//     int ShowSystemBox(const Request& r);               // the real call
//     base::Seam<int(const Request&)>& BoxSeam() {
//         static base::Seam<int(const Request&)> seam(ShowSystemBox);
//         return seam;
//     }
//     int Show(const Request& r) { return BoxSeam()(r); }
#include <functional>
#include <utility>

namespace base {

template <typename Signature>
class Seam;

template <typename R, typename... Args>
class Seam<R(Args...)> {
public:
    using Handler = std::function<R(Args...)>;

    explicit Seam(R (*real)(Args...)) : real_(real) {}
    Seam(const Seam&) = delete;
    Seam& operator=(const Seam&) = delete;

    R operator()(Args... args) const {
        return handler_ ? handler_(std::forward<Args>(args)...) : real_(std::forward<Args>(args)...);
    }

    // Puts a handler in place of the real call; an empty one restores the
    // real call. Returns the handler that was there before.
    Handler Replace(Handler handler) { return std::exchange(handler_, std::move(handler)); }

private:
    R (*const real_)(Args...);
    Handler handler_;
};

}  // namespace base
