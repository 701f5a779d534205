// The 100 ms tick on the grid of performance.now(). Each step runs from a timer at its grid
// point, so the steps keep to the grid, not to the screen's frames; the page it draws is put on
// the canvas in the first screen frame at or after that point (requestAnimationFrame), so at
// 60 Hz every page stands for six whole frames. A step that changes nothing asks for no frame.
// A hidden tab does not tick; when it shows again the grid points it missed are passed over,
// not made up in a burst.

// A timer fires up to several milliseconds late on a busy page, and a frame asked for within
// about a millisecond of its start comes a frame later: so while steps draw, the frame that is
// to show the next page is asked for this long before it, from a timer of its own where that is
// before the grid point, and the step runs in that frame if its own timer has not fired yet.
// Long enough for a late timer, short enough to come after the frame before it.
const askBefore = 12;
const assumedFrameInterval = 1000 / 60;

export class Ticker {
  // `nextDue()`: the next grid point (ms) or a negative number while nothing can change;
  // `step(time)`: runs the step due at `time` and says whether it changed the picture;
  // `present(time, point)`: shows what the steps drew, in the frame of `time`, the first at or
  // after grid point `point`;
  // `resume(time)`: passes over the grid points up to `time`.
  // The clock, the timers, the screen's frames and the tab's visibility are the browser's unless
  // given (a test gives its own, to run the tick against frames and timers of its choosing).
  constructor({ nextDue, step, present, resume }, {
    now = () => performance.now(),
    setTimer = (run, delay) => setTimeout(run, delay),
    clearTimer = (timer) => clearTimeout(timer),
    requestFrame = (run) => requestAnimationFrame(run),
    visibility = document,
  } = {}) {
    this.now = now;
    this.setTimer = setTimer;
    this.clearTimer = clearTimer;
    this.askFrame = requestFrame;
    this.visibility = visibility;
    this.nextDue = nextDue;
    this.runStep = step;
    this.present = present;
    this.resumeAt = resume;
    this.timer = 0;
    this.frameRequested = false;
    this.stopped = false;
    // The grid point of a page drawn and not yet shown: the first frame at or after it shows it.
    this.showFrom = null;
    // The grid point whose frame was asked for ahead of its step.
    this.aheadFor = null;
    // Whether the last step changed the picture: the next is then expected to as well.
    this.drawing = true;
    // The screen's frames as last seen: when one was, and how far apart they come.
    this.lastFrame = null;
    this.frameInterval = assumedFrameInterval;
    visibility.addEventListener('visibilitychange', () => {
      if (visibility.hidden) {
        this.cancel();
      } else {
        this.resumeAt(this.now());
        this.schedule();
      }
    });
  }

  cancel() {
    this.clearTimer(this.timer);
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

  // After an input: its answer is on the canvas already, and it may have started what the next
  // step draws (a reading's first page, a question).
  afterInput() {
    this.showFrom = null;
    this.drawing = true;
    this.schedule();
  }

  // After every step, input or shown page: the wakes for the grid point now due.
  schedule() {
    this.cancel();
    if (this.stopped || this.visibility.hidden) return;
    const due = this.nextDue();
    if (due < 0) return;
    const frame = this.expectedFrame(due);
    if (this.drawing && frame - askBefore < due && this.aheadFor !== due) {
      this.wakeAt(frame - askBefore, () => {
        this.aheadFor = due;
        this.requestFrame();
        this.wakeAt(due, () => this.stepAt(due));
      });
    } else {
      this.wakeAt(due, () => this.stepAt(due));
    }
  }

  // A timer's delay is whole milliseconds, rounded down: rounded up here, it never fires early.
  wakeAt(time, wake) {
    this.timer = this.setTimer(() => {
      this.timer = 0;
      wake();
    }, Math.max(0, Math.ceil(time - this.now())));
  }

  // The step of grid point `due`; what it draws is shown in the first frame at or after `due`.
  stepAt(due) {
    this.cancel();
    if (this.now() < due) return this.wakeAt(due, () => this.stepAt(due));
    this.aheadFor = null;
    this.drawing = this.runStep(this.now());
    if (this.drawing) {
      this.showFrom ??= due;
      this.requestFrame();
    }
    this.schedule();
  }

  requestFrame() {
    if (this.frameRequested) return;
    this.frameRequested = true;
    this.askFrame((time) => this.onFrame(time));
  }

  onFrame(time) {
    this.frameRequested = false;
    const previous = this.lastFrame;
    this.lastFrame = time;
    // Two frames in a row tell the screen's rate.
    if (previous !== null && time - previous > 4 && time - previous < 50) this.frameInterval = time - previous;
    if (this.stopped || this.visibility.hidden) return;
    // An input since may have put the step off or put the tick to sleep.
    if (this.aheadFor !== this.nextDue()) this.aheadFor = null;
    // A frame asked for ahead of its step runs the step if the step's timer is late.
    if (this.aheadFor !== null && time >= this.aheadFor) this.stepAt(this.aheadFor);
    if (this.showFrom !== null && time >= this.showFrom) {
      const point = this.showFrom;
      this.showFrom = null;
      this.present(time, point);
      // The frame just seen places the next one better.
      this.schedule();
    } else if (this.showFrom !== null || this.aheadFor !== null) {
      // A frame under way when it was asked for, before the point: the next frame is the one.
      this.requestFrame();
    }
  }
}
