// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, go, x, y);
   input m_clock;
   input p_reset;
   input a;
   input go;
   wire go2;
   output x;
   output y;
   wire _u1_d;
   wire _u1_run;
   sub u1(.m_clock(m_clock), .p_reset(p_reset), .d(_u1_d), .run(_u1_run));

   assign go2 = (((go))?1'b1:1'b0);

   assign x = (((go))?a:1'b0);

   assign y = (((go2))?a:1'b0)|
   (((_u1_run))?1'b0:1'b0);

   assign _u1_run = 1'b0;
endmodule
