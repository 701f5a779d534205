// The 100 ms tick on the grid of performance.now(). A step that changes the picture runs in the
// first screen frame at or after its grid point (a timer wakes just before the frame expected
// to reach it, then requestAnimationFrame), so the page it draws is on screen from that frame
// on; while steps change nothing (a start screen, a question waiting for its answer) the next
// one runs from a timer at its grid point, and what it draws, if anything, shows at the
// following frame, without a frame asked for at every step. A hidden tab does not tick; when it
// shows again the grid points it missed are passed over, not made up in a burst.

// Wake this long before the frame expected to reach the grid point: enough for a timer a little
// late (a busy page fires them several milliseconds late), little enough that the frame before
// it has passed, so one frame is asked for per step.
const wakeBefore = 12;
const assumedFrameInterval = 1000 / 60;

export class Ticker {
  // `nextDue()`: the next grid point (ms) or a negative number while nothing can change;
  // `step(time)`: runs the step due at `time` and says whether it changed the picture;
  // `resume(time)`: passes over the grid points up to `time`.
  constructor({ nextDue, step, resume }) {
    this.nextDue = nextDue;
    this.step = step;
    this.resumeAt = resume;
    this.timer = 0;
    this.frameRequested = false;
    this.stopped = false;
    // Whether the last step changed the picture: the next is then expected to as well.
    this.drawing = true;
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

  // After an input: it may have started what the next step draws (a reading's first page, a
  // question), so that step runs in its frame, not from a timer that may fire a frame late.
  afterInput() {
    this.drawing = true;
    this.schedule();
  }

  // After every call into the core: the next wake for the grid point now due.
  schedule() {
    this.cancel();
    if (this.stopped || document.hidden) return;
    const due = this.nextDue();
    if (due < 0) return;
    if (!this.drawing) {
      this.timer = setTimeout(() => {
        this.timer = 0;
        const now = performance.now();
        if (now >= due) this.drawing = this.step(now);
        this.schedule();
      }, Math.max(0, due - performance.now()));
      return;
    }
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
        this.drawing = this.step(time);
        this.schedule();
      } else {
        // Too early: the next frame is the one. Two frames in a row tell the screen's rate.
        if (previous !== null && time - previous > 4 && time - previous < 50) this.frameInterval = time - previous;
        this.requestFrame();
      }
    });
  }
}
