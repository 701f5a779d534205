// The 100 ms tick on the grid of performance.now(): the core says when its next grid point is,
// a timer wakes shortly before the screen frame that will reach it, and the step runs in the
// first frame at or after the point, so the page it draws is on screen from that frame on. A
// hidden tab does not tick; when it shows again the grid points it missed are passed over, not
// made up in a burst.

// Wake this long before the frame expected to reach the grid point: enough for a timer a little
// late, little enough that the frame before it has passed, so one frame is asked for per step.
const wakeBefore = 6;
const assumedFrameInterval = 1000 / 60;

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
    // The screen's frames as last seen: when one was, and how far apart they come.
    this.lastFrame = null;
    this.frameInterval = assumedFrameInterval;
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

  // The frame that will be the first at or after `due`, by the frames seen so far.
  expectedFrame(due) {
    if (this.lastFrame === null || this.lastFrame > due) return due;
    return this.lastFrame + Math.ceil((due - this.lastFrame) / this.frameInterval - 1e-6) * this.frameInterval;
  }

  // After every call into the core: the next wake for the grid point now due.
  schedule() {
    this.cancel();
    if (this.stopped || document.hidden) return;
    const due = this.nextDue();
    if (due < 0) return;
    const wait = this.expectedFrame(due) - performance.now() - wakeBefore;
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
      const previous = this.lastFrame;
      this.lastFrame = time;
      if (this.stopped || document.hidden) return;
      const due = this.nextDue();
      if (due < 0) return;
      if (time >= due) {
        this.frame(time);
        this.schedule();
      } else {
        // Too early: the next frame is the one. Two frames in a row tell the screen's rate.
        if (previous !== null && time - previous > 4 && time - previous < 50) this.frameInterval = time - previous;
        this.requestFrame();
      }
    });
  }
}
