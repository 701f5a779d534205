// The 100 ms tick on the grid of performance.now(): the core says when its next grid point is,
// a timer wakes shortly before it, and the step runs in the first screen frame at or after the
// point, so the page it draws is on screen from that frame on. A hidden tab does not tick; when
// it shows again the grid points it missed are passed over, not made up in a burst.

// Wake this long before the grid point: more than a frame, so the frame that reaches the point
// is not missed when the timer is a little late.
const wakeBefore = 24;

export class Ticker {
  // `nextDue()`: the next grid point (ms) or a negative number while nothing can change;
  // `frame(time)`: runs the step due at that frame's time; `resume(time)`: passes over the
  // grid points up to `time`.
  constructor({ nextDue, frame, resume }) {
    this.nextDue = nextDue;
    this.frame = frame;
    this.resumeAt = resume;
    this.timer = 0;
    this.frameRequested = false;
    this.stopped = false;
    document.addEventListener('visibilitychange', () => {
      if (document.hidden) {
        this.cancel();
      } else {
        this.resumeAt(performance.now());
        this.schedule();
      }
    });
  }

  cancel() {
    clearTimeout(this.timer);
    this.timer = 0;
  }

  stop() {
    this.stopped = true;
    this.cancel();
  }

  // After every call into the core: the next wake for the grid point now due.
  schedule() {
    this.cancel();
    if (this.stopped || document.hidden) return;
    const due = this.nextDue();
    if (due < 0) return;
    const wait = due - performance.now() - wakeBefore;
    if (wait > 0) {
      this.timer = setTimeout(() => {
        this.timer = 0;
        this.requestFrame();
      }, wait);
    } else {
      this.requestFrame();
    }
  }

  requestFrame() {
    if (this.frameRequested) return;
    this.frameRequested = true;
    requestAnimationFrame((time) => {
      this.frameRequested = false;
      if (this.stopped || document.hidden) return;
      const due = this.nextDue();
      if (due < 0) return;
      if (time >= due) {
        this.frame(time);
        this.schedule();
      } else {
        this.requestFrame();
      }
    });
  }
}
