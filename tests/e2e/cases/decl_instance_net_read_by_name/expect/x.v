// This file was translated at Sun Dec  6 23:53:57 2026
//  via sflc program written by kurotan

module m(m_clock, p_reset, i, o, p, run);
   input m_clock;
   input p_reset;
   input [3:0] i;
   output o;
   output p;
   input run;
   wire [3:0] _u_1_a_in;
   wire _u_1_y;
   wire _u_1_go_now;
   wire [3:0] _u_a_in;
   wire _u_y;
   wire _u_go_now;
   sub_unit u_1(.m_clock(m_clock), .p_reset(p_reset), .a_in(_u_1_a_in), .y(_u_1_y), .go_now(_u_1_go_now));
   sub_unit u(.m_clock(m_clock), .p_reset(p_reset), .a_in(_u_a_in), .y(_u_y), .go_now(_u_go_now));

   assign o = (((run))?_u_1_y:1'b0);

   assign p = (_u_y|_u_1_y);

   assign _u_1_a_in = (((run))?i:4'b0);

   assign _u_1_go_now = (((run))?1'b1:1'b0);

   assign _u_a_in = (i+4'h1);

   assign _u_go_now = 1'b0;
endmodule
